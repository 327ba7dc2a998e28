# The fuzz targets and the support sources they share; used by the libFuzzer build
# (fuzz/CMakeLists.txt) and by the corpus replay of the test build (tests/cmake/fuzz_replay.cmake).
set(UPARSER_FUZZ_TARGETS parse_command param_value var_lists grammar translations command_text
  grammar_reader lsp_session)
get_filename_component(UPARSER_FUZZ_ROOT ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
set(UPARSER_FUZZ_SUPPORT
  ${CMAKE_CURRENT_LIST_DIR}/FuzzSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FuzzGrammars.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RandomGrammar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AllocationCounter.cpp
  ${UPARSER_FUZZ_ROOT}/tests/support/HostFaults.cpp)

# The command text target runs the sample procedures over the sample data.
set(UPARSER_FUZZ_EXAMPLE_SOURCES
  ${UPARSER_FUZZ_ROOT}/examples/procedures/Bucket.cpp
  ${UPARSER_FUZZ_ROOT}/examples/procedures/ExpectedNames.cpp
  ${UPARSER_FUZZ_ROOT}/examples/procedures/GrammarLookup.cpp
  ${UPARSER_FUZZ_ROOT}/examples/procedures/Procedure.cpp
  ${UPARSER_FUZZ_ROOT}/examples/procedures/Sketch.cpp
  ${UPARSER_FUZZ_ROOT}/examples/procedures/Sprout.cpp
  ${UPARSER_FUZZ_ROOT}/examples/procedures/Trace.cpp
  ${UPARSER_FUZZ_ROOT}/examples/procedures/Validation.cpp
  ${UPARSER_FUZZ_ROOT}/examples/procedures/ValueReading.cpp
  ${UPARSER_FUZZ_ROOT}/examples/procedures/Weave.cpp)
set(UPARSER_FUZZ_SAMPLE_CSV ${UPARSER_FUZZ_ROOT}/examples/data/sample.csv)

# Adds what a target's source needs beyond the libraries.
function(uparser_fuzz_target_needs target name examples)
  target_include_directories(${target} PRIVATE ${UPARSER_FUZZ_ROOT} ${UPARSER_FUZZ_ROOT}/tests)
  target_link_libraries(${target} PRIVATE uparser::uparser uparser::refhost)
  if(name STREQUAL "parse_command")
    target_link_libraries(${target} PRIVATE ${examples})
    target_compile_definitions(${target} PRIVATE
      UPARSER_SAMPLE_CSV="${UPARSER_FUZZ_SAMPLE_CSV}")
  endif()
  # The variable lists meet a host whose value conversion misbehaves.
  if(name STREQUAL "var_lists")
    target_sources(${target} PRIVATE
      ${UPARSER_FUZZ_ROOT}/tests/support/conversion/ConversionFaults.cpp)
    target_link_libraries(${target} PRIVATE ${CMAKE_DL_LIBS})
  endif()
  if(name STREQUAL "grammar_reader")
    # The generic procedure that validates as a grammar file declares, on the sample procedures'
    # validation helpers.
    target_sources(${target} PRIVATE ${UPARSER_FUZZ_ROOT}/examples/generic/FileProcedure.cpp)
    target_link_libraries(${target} PRIVATE ${examples} uparser::grammar)
  endif()
  # The language server with uparse's checks, over the sample procedures and data.
  if(name STREQUAL "lsp_session")
    target_link_libraries(${target} PRIVATE uparse_lsp)
  endif()
endfunction()
