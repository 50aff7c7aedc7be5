a = 32767
Print TypeName(a + 1), a + 1
b = 2147483647
Print TypeName(b + 1), b + 1
Print TypeName(200 * 200), TypeName(CInt(2) * CInt(3))
