# The uptokens demo runs, exits 0 and prints token rows, both on its sample and on a file.
# Included by tests/CMakeLists.txt it registers the test; run with -P it is the test itself.
if(CMAKE_SCRIPT_MODE_FILE)
  function(run_uptokens expect_rc)
    execute_process(COMMAND ${UPTOKENS} ${ARGN}
      RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL expect_rc)
      message(FATAL_ERROR "uptokens ${ARGN} exited with ${rc} (expected ${expect_rc}):\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
  endfunction()

  run_uptokens(0)
  foreach(row
      "command 1, line 1"
      "  1 +1  word +0  LOAD\n"
      "operator +11  /\n"
      "word +30  TO\n"
      "operator +17  ;\n"
      "operator +36  \\[\n"
      "literal +0  'Region by gender, \"weighted\"'\n"
      "number +0  \\.05  \\(0\\.05\\)\n")
    if(NOT out MATCHES "${row}")
      message(FATAL_ERROR "uptokens output lacks /${row}/:\n${out}")
    endif()
  endforeach()

  file(WRITE ${WORKDIR}/uptokens-input.syntax "LIST a\n  /b = 'x'.\n\nSORT c.\n")
  run_uptokens(0 ${WORKDIR}/uptokens-input.syntax)
  if(NOT out MATCHES "command 2, line 4, 2 tokens" OR NOT out MATCHES "2 +8  literal +0  'x'")
    message(FATAL_ERROR "uptokens on a file printed:\n${out}")
  endif()
  run_uptokens(1 ${WORKDIR}/no-such-file.syntax)
elseif(TARGET uptokens)
  add_test(NAME demo.uptokens
    COMMAND ${CMAKE_COMMAND} -DUPTOKENS=$<TARGET_FILE:uptokens>
      -DWORKDIR=${CMAKE_CURRENT_BINARY_DIR} -P ${CMAKE_CURRENT_LIST_FILE})
endif()
