Function Sign(n)
  Sign = "positive"
  If n >= 0 Then Exit Function
  Sign = "negative"
End Function
Sub Early
  Print "in"
  Exit Sub
  Print "never"
End Sub
Print Sign(1), Sign(-1)
Early
