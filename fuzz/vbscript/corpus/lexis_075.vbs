d = #1/15/2024#
Print Year(d), Month(d), Day(d), TypeName(d)
Print #2024-03-05 14:30:00#
