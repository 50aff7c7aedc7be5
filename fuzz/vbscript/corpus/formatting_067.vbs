Print FormatCurrency(1234.5), FormatCurrency(-2), FormatPercent(0.256), FormatPercent(0.5, 0)
