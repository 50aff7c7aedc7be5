Class Box
  Private mWidth
  Private mOwner
  Public Property Get Width
    Width = mWidth
  End Property
  Public Property Let Width(v)
    If v < 0 Then v = 0
    mWidth = v
  End Property
  Public Property Set Owner(o)
    Set mOwner = o
  End Property
  Public Property Get Owner
    Set Owner = mOwner
  End Property
End Class
Set b = New Box
b.Width = -5
Print b.Width
b.Width = 7
Print b.Width
Set b.Owner = b
Print b.Owner Is b
Set b.Owner = Nothing
