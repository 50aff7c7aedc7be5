parts = Split("a,b,,c", ",")
Print UBound(parts), Join(parts, "|")
Print Join(Split("one two"))
Print UBound(Split("a-b-c", "-", 2)), Split("a-b-c", "-", 2)(1)
