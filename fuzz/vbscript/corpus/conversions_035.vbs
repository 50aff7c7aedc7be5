Print Hex(255), Hex(-1), Hex(65536), Oct(8), Hex(CLng(-1))
