Print Twice(21)
Function Twice(x): Twice = x * 2: End Function
