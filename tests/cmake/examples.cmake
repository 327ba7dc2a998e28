# The suites of the sample procedures and of the diagnostic records link them (the latter also
# the procedures read from the samples' grammar files). They belong to the tools, so a build
# without tools adds them here.
foreach(suite examples_test diagnostics_test)
  if(TARGET ${suite})
    if(NOT TARGET uparser_examples)
      add_subdirectory(${PROJECT_SOURCE_DIR}/examples ${PROJECT_BINARY_DIR}/examples)
    endif()
    target_link_libraries(${suite} PRIVATE uparser_examples)
  endif()
endforeach()
if(TARGET diagnostics_test)
  target_link_libraries(diagnostics_test PRIVATE uparser_file_procedures)
endif()
