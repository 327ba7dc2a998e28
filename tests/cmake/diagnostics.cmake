# The diagnostic records are checked through the sample procedures.
if(TARGET diagnostics_test)
  if(NOT TARGET uparser_examples)
    add_subdirectory(${PROJECT_SOURCE_DIR}/examples ${PROJECT_BINARY_DIR}/examples)
  endif()
  target_link_libraries(diagnostics_test PRIVATE uparser_examples)
endif()
