Print CInt(40000)
