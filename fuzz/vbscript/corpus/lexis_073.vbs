Print "say ""hi"""
Print Len("""")
