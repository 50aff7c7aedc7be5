Set fso = CreateObject("Scripting.FileSystemObject")
