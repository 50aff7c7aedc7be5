Print "abc" * 2
