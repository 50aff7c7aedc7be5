NoSuchThing 1, 2
