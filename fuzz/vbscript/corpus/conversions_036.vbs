Print True + True, CInt(False), -True
