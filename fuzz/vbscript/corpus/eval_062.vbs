Execute "y = 10 : z = y + 1"
Print y, z
