Sub Classify(n)
  Select Case n
    Case 1, 2
      Print n & ": one or two"
    Case 3 To 5
      Print n & ": three to five"
    Case Is > 100
      Print n & ": huge"
    Case Else
      Print n & ": other"
  End Select
End Sub
Classify 2
Classify 4
Classify 500
Classify 50
