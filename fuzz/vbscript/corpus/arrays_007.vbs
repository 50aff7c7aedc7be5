a = Array("a", 1, True)
Print IsArray(a), UBound(a), a(2), TypeName(a)
e = Array()
Print UBound(e)
