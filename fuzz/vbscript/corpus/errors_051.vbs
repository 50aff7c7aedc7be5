Err.Raise 5000, "S", "stop here"
