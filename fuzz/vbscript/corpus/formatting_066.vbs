Print FormatNumber(1234.567), FormatNumber(1234.567, 1), FormatNumber(0.5, 2, 0), FormatNumber(-3, 0, , -1)
Print FormatNumber(1234567, 0, , , 0)
