Class Node
  Public NextNode
  Public Name
  Public Function Link(other)
    Set other.NextNode = Me
    Set Link = Me
  End Function
End Class
Set a = New Node: a.Name = "a"
Set b = New Node: b.Name = "b"
Set r = a.Link(b)
Print b.NextNode.Name, r Is a
