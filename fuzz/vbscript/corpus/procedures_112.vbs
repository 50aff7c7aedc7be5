Const Pi = 3.14159, Name = "circle"
Print Name, Pi * 2
