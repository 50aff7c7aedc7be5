Set x = GetObject("winmgmts:")
