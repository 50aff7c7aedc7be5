Class Noisy
  Private Sub Class_Initialize
    Print "init"
  End Sub
  Private Sub Class_Terminate
    Print "bye"
  End Sub
End Class
Set n = New Noisy
Print "alive"
Set n = Nothing
Print "gone"
