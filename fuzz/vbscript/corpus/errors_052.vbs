Sub Fails
  Print "before"
  x = 1 / 0
  Print "skipped"
End Sub
On Error Resume Next
Fails
Print "caller goes on", Err.Number
