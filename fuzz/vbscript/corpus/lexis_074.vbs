Print TypeName(1), TypeName(32767), TypeName(32768), TypeName(2147483648), TypeName(1.5)
Print &HFF, &H10, &HFFFF, &HFFFF&, &O17, &777
Print TypeName(&HFFFF), TypeName(&H10000)
Print 1E3, .5, 2.5e-3
