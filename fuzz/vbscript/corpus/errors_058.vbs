Set x = 5
