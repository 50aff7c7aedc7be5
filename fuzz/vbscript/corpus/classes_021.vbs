Class Doubler
  Public Sub Apply(n)
    n = n * 2
  End Sub
End Class
Set d = New Doubler
v = 21
d.Apply v
Print v
