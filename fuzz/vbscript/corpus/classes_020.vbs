Class Stack
  Private items()
  Private top
  Private Sub Class_Initialize
    ReDim items(10)
    top = -1
  End Sub
  Public Sub Push(v)
    top = top + 1
    items(top) = v
  End Sub
  Public Function Pop()
    Pop = items(top)
    top = top - 1
  End Function
End Class
Set s = New Stack
s.Push 1: s.Push 2: s.Push 3
Print s.Pop(), s.Pop(), s.Pop()
