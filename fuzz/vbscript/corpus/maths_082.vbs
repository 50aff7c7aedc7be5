Print Sqr(16), Round(Exp(1), 5), Round(Log(100) / Log(10), 10)
Print Sin(0), Cos(0), Round(Atn(1) * 4, 6), Round(Tan(0.5), 4)
