Print TypeName(Now), TypeName(Date), TypeName(Time), TypeName(Timer)
Print Int(Now) = Date, Timer >= 0
