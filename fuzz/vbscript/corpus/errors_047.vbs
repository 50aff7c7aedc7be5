On Error Resume Next
x = 1 / 0
Print "after", Err.Number, Err.Description
