s = "b"
Select Case s
  Case "a": Print "A"
  Case "b": Print "B"
End Select
