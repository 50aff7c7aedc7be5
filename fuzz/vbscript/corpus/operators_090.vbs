x = 0
Print 1 / x
