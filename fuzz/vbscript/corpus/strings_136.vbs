Print UCase("MiXed"), LCase("MiXed"), "[" & Trim("  x  ") & "]", "[" & LTrim("  x ") & "]", "[" & RTrim(" x  ") & "]"
Print StrReverse("abc")
