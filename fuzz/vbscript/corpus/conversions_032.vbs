Print CDate("2024-02-29"), CDate("March 3, 2021"), CDate(45000)
Print CDate("1/2/2024 13:05")
