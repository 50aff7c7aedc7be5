Print Abs(-3), Abs(2.5), Sgn(-7), Sgn(0), Sgn(3)
Print Int(2.7), Int(-2.7), Fix(2.7), Fix(-2.7)
