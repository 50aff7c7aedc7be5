total = 0
For Each x In Array(1, 2, 3, 4)
  total = total + x
Next
Print total
