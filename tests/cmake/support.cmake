# The helper library's own sources include "support/X.h" and the project headers, so it needs
# at build time what it hands on to the suites.
if(TARGET uparser_testsupport)
  get_target_property(_support_type uparser_testsupport TYPE)
  if(_support_type STREQUAL "STATIC_LIBRARY")
    target_include_directories(uparser_testsupport PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(uparser_testsupport PRIVATE uparser::uparser uparser::refhost GTest::gmock)
    target_compile_options(uparser_testsupport PRIVATE ${UPARSER_WARNINGS})
  endif()
endif()
