Dim a
Dim a
