Print CInt("12"), CDbl(" 1.5e2 "), CLng("&H10"), CBool("true"), CBool("0")
