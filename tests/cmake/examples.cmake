# The suite of the sample procedures links them. They belong to the tools, so a build without
# tools adds them here.
if(TARGET examples_test)
  if(NOT TARGET uparser_examples)
    add_subdirectory(${PROJECT_SOURCE_DIR}/examples ${PROJECT_BINARY_DIR}/examples)
  endif()
  target_link_libraries(examples_test PRIVATE uparser_examples)
endif()
