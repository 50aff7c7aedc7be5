n = 0
Do While n < 3: n = n + 1: Loop
Print n
Do Until n = 0: n = n - 1: Loop
Print n
Do: n = n + 1: Loop While n < 2
Print n
Do: n = n + 10: Loop Until True
Print n
