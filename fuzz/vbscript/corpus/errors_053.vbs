On Error Resume Next
Err.Raise 7
Print Err, Err = 7
