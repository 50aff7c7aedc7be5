x = 4
If x > 3 Then Print "big": Print "still" Else Print "small"
If x > 9 Then Print "no" Else Print "else": Print "also"
