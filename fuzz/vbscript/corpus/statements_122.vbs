For i = 1 To 10
  If i = 3 Then Exit For
Next
Print i
n = 0
Do
  n = n + 1
  If n = 5 Then Exit Do
Loop
Print n
