Print MsgBox("hello"), InputBox("question", "title", "default")
