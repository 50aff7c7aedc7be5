Const Limit = 10
Limit = 11
