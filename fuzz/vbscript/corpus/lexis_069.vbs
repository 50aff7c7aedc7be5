DIM Total : total = 3
IF TOTAL = 3 THEN print "three"
