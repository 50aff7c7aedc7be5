' A standalone script as a user tries it from the runner.
Dim total, i
total = 0
For i = 1 To 4
  total = total + i
Next
showmessage "Total: " & total
