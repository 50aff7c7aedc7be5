a = Filter(Array("apple", "banana", "cherry"), "an")
Print Join(a, ",")
Print Join(Filter(Array("apple", "banana", "cherry"), "an", False), ",")
