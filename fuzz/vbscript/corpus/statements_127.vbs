Class Point
  Public X, Y
End Class
Set p = New Point
With p
  .X = 3
  .Y = 4
  Print .X * .Y
End With
