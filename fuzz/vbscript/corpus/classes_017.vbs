Class Wrapper
  Private items(2)
  Public Default Property Get Item(i)
    Item = items(i)
  End Property
  Public Property Let Item(i, v)
    items(i) = v
  End Property
End Class
Set w = New Wrapper
w.Item(1) = "one"
Print w(1), w.Item(1)
