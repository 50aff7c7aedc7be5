Class C
End Class
Set a = New C
Set b = a
Set c = New C
Print a Is b, a Is c, Nothing Is Nothing
