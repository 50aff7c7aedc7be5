x = 1 ' a comment
Rem a whole line of comment
REM another
Print x
