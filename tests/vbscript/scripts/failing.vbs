Dim a
a = 1
a = a / 0
