On Error Resume Next
Err.Raise 9
Print Err.Description
