Dim a(3)
a(0) = "x": a(3) = "y"
Print LBound(a), UBound(a), a(0) & a(3), IsEmpty(a(1))
