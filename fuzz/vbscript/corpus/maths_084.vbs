Randomize
ok = True
For i = 1 To 100
  r = Rnd
  If r < 0 Or r >= 1 Then ok = False
Next
Print ok
a = Rnd(-1): x1 = Rnd: a = Rnd(-1): x2 = Rnd
Print x1 = x2, Rnd(0) = x2
