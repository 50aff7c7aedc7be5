Print DateValue("7/4/2023 10:30"), TimeValue("7/4/2023 10:30")
