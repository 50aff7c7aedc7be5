Sub Inner
  x = 1
  y = x / 0
End Sub
Inner
