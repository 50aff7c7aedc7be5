For Each x In 5
Next
