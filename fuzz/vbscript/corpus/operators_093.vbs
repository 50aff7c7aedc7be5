Print Not 1 = 2
