Print 1 + 2 & 3 + 4
Print "a" & 1 + 1
