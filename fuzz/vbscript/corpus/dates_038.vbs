Print DateSerial(2024, 13, 1), DateSerial(2024, 3, 0), DateSerial(99, 1, 1)
