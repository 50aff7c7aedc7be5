If True Then
  x = 1
