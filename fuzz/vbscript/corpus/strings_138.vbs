Print "[" & Space(3) & "]", String(3, "z"), String(2, 65), Asc("A"), Chr(66)
