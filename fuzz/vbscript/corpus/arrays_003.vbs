Dim a()
ReDim a(2)
a(0) = 1: a(1) = 2: a(2) = 3
ReDim Preserve a(4)
Print UBound(a), a(0) + a(1) + a(2), IsEmpty(a(4))
ReDim a(1)
Print IsEmpty(a(0))
