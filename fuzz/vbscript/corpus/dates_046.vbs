Print DateAdd("x", 1, Now)
