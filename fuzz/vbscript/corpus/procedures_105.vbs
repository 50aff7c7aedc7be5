Dim counter
counter = 0
Sub Bump
  Dim local
  local = 5
  counter = counter + 1
End Sub
Bump: Bump
Print counter, IsEmpty(local)
