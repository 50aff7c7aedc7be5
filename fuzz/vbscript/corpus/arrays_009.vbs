ReDim b(3)
Erase b
Print UBound(b)
