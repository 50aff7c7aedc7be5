Print 1 < 2, "a" < "b", "B" < "a", 2 = 2.0
Print "10" < "9", 10 < 9
x = 5: s = "5"
Print x = "5", s = 5, x = s
