ExecuteGlobal "Function Added(a) : Added = a + 100 : End Function"
Print Added(1)
