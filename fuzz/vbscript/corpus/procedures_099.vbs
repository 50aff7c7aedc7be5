Function Square(x)
  Square = x * x
End Function
Print Square(7)
