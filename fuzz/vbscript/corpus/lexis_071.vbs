s = "a" & _
    "b" & _
    "c"
Print s
