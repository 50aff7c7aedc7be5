total = 10
Sub AddOne
  total = total + 1
End Sub
AddOne
Print total
