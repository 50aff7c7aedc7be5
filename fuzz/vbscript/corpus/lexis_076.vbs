[my value] = 5
Print [my value] * 2
