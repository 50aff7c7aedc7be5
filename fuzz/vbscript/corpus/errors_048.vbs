On Error Resume Next
y = CInt("x")
Print Err.Number
Err.Clear
Print Err.Number
On Error GoTo 0
z = 1 / 0
Print "never"
