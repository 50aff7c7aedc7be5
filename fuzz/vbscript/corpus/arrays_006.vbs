a = Array(1, 2, 3)
b = a
b(0) = 99
Print a(0), b(0)
