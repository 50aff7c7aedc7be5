Dim a(2)
ReDim a(5)
