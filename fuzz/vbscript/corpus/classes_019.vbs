Class Bag
  Public Stuff
End Class
Set x = New Bag
Set y = x
y.Stuff = "shared"
Print x.Stuff
