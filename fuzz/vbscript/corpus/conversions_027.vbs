Print CInt(2.5), CInt(3.5), CInt(-2.5), CLng(1234567.5), CByte(254.5)
