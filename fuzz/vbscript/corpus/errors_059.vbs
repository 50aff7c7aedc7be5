Print CStr(Null)
