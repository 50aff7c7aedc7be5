Print CStr(True), CStr(1.5), CStr(1/3), CStr(1E+20), CStr(0.00001), CStr(CCur(2.5))
