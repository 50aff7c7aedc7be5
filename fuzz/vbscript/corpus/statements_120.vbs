For i = 1 To 3: Print i: Next
For i = 10 To 1 Step -4
  Print i
Next
For i = 0 To 1 Step 0.5: Print i: Next
