Public shared
Private hidden
shared = 1: hidden = 2
Print shared + hidden
