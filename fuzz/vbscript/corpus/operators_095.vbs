Print e + 1, "[" & e & "]", e = 0, e = ""
