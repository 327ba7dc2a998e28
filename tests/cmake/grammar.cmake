# Grammar files: the reader's suite links the module; the round-trip suite also the generic
# procedure, the sample procedures and the fuzz grammars. A real JSON Schema validator
# (python3-jsonschema, draft 2020-12) checks every shipped grammar file against the schema and
# rejects every file of tests/grammars/broken/.
if(TARGET GrammarReader_test)
  target_link_libraries(GrammarReader_test PRIVATE uparser::grammar)
endif()
if(TARGET GrammarRoundTrip_test)
  if(NOT TARGET uparser_file_procedures)
    add_subdirectory(${PROJECT_SOURCE_DIR}/examples ${PROJECT_BINARY_DIR}/examples)
  endif()
  target_sources(GrammarRoundTrip_test PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/FuzzGrammars.cpp)
  target_include_directories(GrammarRoundTrip_test PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
  target_link_libraries(GrammarRoundTrip_test PRIVATE uparser_file_procedures)
endif()

# The first interpreter that has the validator; the Debian package serves /usr/bin/python3,
# which need not be the python3 first on the PATH.
set(UPARSER_SCHEMA_PYTHON /usr/bin/python3)
foreach(candidate /usr/bin/python3 python3)
  execute_process(COMMAND ${candidate} -c "import jsonschema; jsonschema.Draft202012Validator"
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(status EQUAL 0)
    set(UPARSER_SCHEMA_PYTHON ${candidate})
    break()
  endif()
endforeach()
add_test(NAME grammar.schema
  COMMAND ${UPARSER_SCHEMA_PYTHON} ${PROJECT_SOURCE_DIR}/tests/grammar_schema.py
    ${PROJECT_SOURCE_DIR}/grammar/uparser-grammar.schema.json
    --valid ${PROJECT_SOURCE_DIR}/examples/grammars
    --invalid ${PROJECT_SOURCE_DIR}/tests/grammars/broken)
