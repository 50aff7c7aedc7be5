Set x = New Missing
