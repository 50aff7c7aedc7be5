x = 6
Print Eval("x * 7"), Eval("x > 5")
