Print CLng("twelve")
