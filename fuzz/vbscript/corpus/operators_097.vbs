Print 1 Is 2
