Print DateAdd("d", 10, #1/25/2024#), DateAdd("m", 1, #1/31/2024#), DateAdd("yyyy", -1, #2/29/2024#)
Print DateAdd("h", 36, #1/1/2024#), DateAdd("ww", 2, #1/1/2024#)
