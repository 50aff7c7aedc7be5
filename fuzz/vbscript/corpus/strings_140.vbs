Print IsNull(Left(Null, 1)), IsNull(Len(Null)), IsNull(UCase(Null))
