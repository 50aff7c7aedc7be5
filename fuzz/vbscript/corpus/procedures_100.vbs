Sub Show(a, b)
  Print a & "-" & b
End Sub
Show 1, 2
Call Show(3, 4)
Show (5), 6
