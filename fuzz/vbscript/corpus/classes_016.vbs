Class Secret
  Private value
  Public Sub SetIt(v)
    value = v
  End Sub
  Public Function GetIt
    GetIt = value
  End Function
End Class
Set s = New Secret
s.SetIt 42
Print s.GetIt
Print s.value
