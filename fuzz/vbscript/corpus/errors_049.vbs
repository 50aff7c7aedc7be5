On Error Resume Next
Err.Raise 1000, "MySource", "custom failure"
Print Err.Number, Err.Source, Err.Description
