Class Ring
  Public Other
End Class
Set a = New Ring
Set b = New Ring
Set a.Other = b
Set b.Other = a
Print "made"
