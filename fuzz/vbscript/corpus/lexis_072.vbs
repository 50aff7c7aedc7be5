a = 1: b = 2: Print a + b
