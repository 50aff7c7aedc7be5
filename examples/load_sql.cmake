# Feeds each SQL file to sqlite3 in turn: cmake -DSQLITE3=... -DDATABASE=... -DSQL_FILES=a;b -P load_sql.cmake
foreach(sql IN LISTS SQL_FILES)
  execute_process(COMMAND ${SQLITE3} ${DATABASE} INPUT_FILE ${sql} RESULT_VARIABLE result ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "sqlite3 failed on ${sql}: ${error}")
  endif()
endforeach()
