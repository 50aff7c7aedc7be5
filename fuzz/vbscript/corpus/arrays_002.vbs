Dim grid(2, 3)
For r = 0 To 2
  For c = 0 To 3
    grid(r, c) = r * 10 + c
  Next
Next
Print grid(2, 3), grid(1, 2), UBound(grid, 1), UBound(grid, 2)
