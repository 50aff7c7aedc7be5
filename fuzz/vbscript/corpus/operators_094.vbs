n = Null
Print IsNull(n + 1), IsNull(n & ""), n & "x", IsNull(n = 1)
Print Null And False, IsNull(Null And True), Null Or True, IsNull(Null Or False)
