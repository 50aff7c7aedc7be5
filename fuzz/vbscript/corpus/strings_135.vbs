Print InStr("abcabc", "c"), InStr(4, "abcabc", "c"), InStr("abc", "z"), InStr("ABC", "b")
Print InStr(1, "ABC", "b", 1), InStrRev("abcabc", "b"), InStrRev("abcabc", "b", 4)
