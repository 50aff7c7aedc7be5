Sub Guarded
  On Error Resume Next
  x = 1 / 0
  Print "guarded", Err.Number
End Sub
Guarded
x = 1 / 0
