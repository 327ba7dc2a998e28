# An installed uparse finds the English catalog installed with it, relative to itself.
# Included by tests/CMakeLists.txt it registers the test; run with -P it is the test itself.
if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${PREFIX}/${LIBDIR}
      ${PREFIX}/bin/uparse -
    INPUT_FILE ${INPUT} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 1 OR NOT err MATCHES "error: Variable agee for the SKETCH command is not in the dictionary\\.\n")
    message(FATAL_ERROR "installed uparse exited with ${rc} and reported:\n${err}")
  endif()
elseif(TARGET uparse)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/uparse-installed.syntax "SKETCH agee.\n")
  add_test(NAME package.uparse_finds_its_catalog
    COMMAND ${CMAKE_COMMAND} -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/packaging-test/prefix
      -DLIBDIR=${CMAKE_INSTALL_LIBDIR} -DINPUT=${CMAKE_CURRENT_BINARY_DIR}/uparse-installed.syntax
      -P ${CMAKE_CURRENT_LIST_FILE})
  set_tests_properties(package.uparse_finds_its_catalog PROPERTIES FIXTURES_REQUIRED uparser_installed)
endif()
