Print Replace("a-b-c", "-", "+")
Print Replace("a-b-c", "-", "+", 1, 1)
Print Replace("aAaA", "a", "x", 1, -1, 1)
Print Replace("abcabc", "b", "", 3)
