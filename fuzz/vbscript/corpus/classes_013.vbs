Class Counter
  Public Count
  Public Sub Increment
    Count = Count + 1
  End Sub
  Public Function Twice()
    Twice = Count * 2
  End Function
End Class
Set c = New Counter
c.Increment
c.Increment
Print c.Count, c.Twice(), TypeName(c)
