Function Calc(n)
  Dim k
  k = 3
  Calc = Eval("n * k")
End Function
Print Calc(5)
