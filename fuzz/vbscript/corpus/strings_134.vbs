s = "Hello, World"
Print Left(s, 5), Right(s, 5), Mid(s, 8), Mid(s, 8, 3), Len(s)
Print Left(s, 100), "[" & Mid(s, 50) & "]"
