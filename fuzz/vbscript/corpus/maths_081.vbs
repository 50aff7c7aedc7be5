Print Round(2.5), Round(3.5), Round(1.234, 2), Round(-1.5), Round(2.675, 2)
