# The fault-injection program runs a sample procedure, and reaches the reference host's own
# value conversion, which it replaces, through the dynamic linker.
if(TARGET faults_test)
  if(NOT TARGET uparser_examples)
    add_subdirectory(${PROJECT_SOURCE_DIR}/examples ${PROJECT_BINARY_DIR}/examples)
  endif()
  target_sources(faults_test PRIVATE
    ${PROJECT_SOURCE_DIR}/tests/support/conversion/ConversionFaults.cpp)
  target_link_libraries(faults_test PRIVATE uparser_examples ${CMAKE_DL_LIBS})
endif()
