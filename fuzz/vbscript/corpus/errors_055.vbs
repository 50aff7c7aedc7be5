x = 5
x.Foo
