Print True And False, True Or False, True Xor True, Not True
Print 12 And 10, 12 Or 3, 6 Xor 3, Not 0
Print False Eqv False, True Imp False, False Imp True
