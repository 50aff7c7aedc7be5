Set x = Nothing
x.Foo = 1
