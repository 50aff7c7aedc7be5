Print Log(-1)
