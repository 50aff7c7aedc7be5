Print Len(vbCrLf), Asc(vbTab), vbTextCompare, vbString
