Print Left("abc", -1)
