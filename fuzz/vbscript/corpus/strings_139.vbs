Print StrComp("a", "b"), StrComp("b", "a"), StrComp("A", "a"), StrComp("A", "a", 1)
