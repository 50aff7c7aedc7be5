d = DateSerial(2024, 2, 29)
Print d, Year(d), Month(d), Day(d), Weekday(d)
t = TimeSerial(13, 5, 9)
Print t, Hour(t), Minute(t), Second(t)
