Sub Change(ByRef a, ByVal b)
  a = a + 1
  b = b + 1
End Sub
x = 1: y = 1
Change x, y
Print x, y
Change (x), y
Print x
