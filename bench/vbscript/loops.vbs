' Loop-heavy work: string building, arithmetic, array updates and function calls.
Function Mix(a, b)
  Mix = (a * 3 + b) Mod 1000
End Function

Function Run()
  Dim i, total, count, s, parts(99)
  total = 0
  count = 0
  For i = 0 To 99
    parts(i) = 0
  Next
  For i = 1 To 1000000
    s = "item" & (i Mod 100)
    count = count + Len(s)
    parts(i Mod 100) = parts(i Mod 100) + i Mod 7
    total = total + Mix(i, total)
  Next
  Run = total & " " & count & " " & parts(5)
End Function
