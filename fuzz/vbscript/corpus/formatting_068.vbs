d = #3/9/2024 14:07:05#
Print FormatDateTime(d)
Print FormatDateTime(d, vbLongDate)
Print FormatDateTime(d, vbShortDate), FormatDateTime(d, vbLongTime), FormatDateTime(d, vbShortTime)
