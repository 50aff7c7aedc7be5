Print MonthName(1), MonthName(12, True), WeekdayName(1), WeekdayName(7, True)
