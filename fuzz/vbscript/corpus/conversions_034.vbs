Print TypeName(Empty), TypeName(Null), TypeName(CByte(1)), TypeName(CSng(1)), TypeName(CCur(1)), TypeName(Nothing)
Print VarType(1), VarType("s"), VarType(Array()), VarType(True), VarType(Now)
