d = #8/14/2024 16:20:00#
Print DatePart("yyyy", d), DatePart("q", d), DatePart("y", d), DatePart("w", d), DatePart("h", d)
