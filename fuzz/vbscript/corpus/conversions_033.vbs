Print IsNumeric("12.5"), IsNumeric("abc"), IsNumeric(Empty), IsNumeric(Null)
Print IsDate("2024-01-01"), IsDate("hello"), IsEmpty(x), IsNull(Null), IsObject(Nothing)
