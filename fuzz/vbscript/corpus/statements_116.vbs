For Each v In Array(1, 5, 10)
  If v < 3 Then
    Print "small"
  ElseIf v < 8 Then
    Print "medium"
  Else
    Print "large"
  End If
Next
