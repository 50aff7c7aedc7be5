Class Empty1
End Class
Set e = New Empty1
e.Nope
