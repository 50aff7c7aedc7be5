Print Eval("1 +")
