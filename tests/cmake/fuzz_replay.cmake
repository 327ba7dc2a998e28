# Replays the committed fuzz corpus and every regression input through each fuzz target, built
# with the ordinary compiler (and, in the sanitizer build, with its sanitizers).
include(${PROJECT_SOURCE_DIR}/fuzz/FuzzTargets.cmake)

# The sample procedures, from their own library when the tools are built.
if(TARGET uparser_examples)
  set(FUZZ_REPLAY_EXAMPLES uparser_examples)
else()
  add_library(fuzz_replay_examples STATIC ${UPARSER_FUZZ_EXAMPLE_SOURCES})
  target_include_directories(fuzz_replay_examples PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(fuzz_replay_examples PUBLIC uparser::uparser uparser::refhost)
  set(FUZZ_REPLAY_EXAMPLES fuzz_replay_examples)
endif()

foreach(name IN LISTS UPARSER_FUZZ_TARGETS)
  # The language server's target needs the tools, which some builds leave out.
  if(name STREQUAL "lsp_session" AND NOT TARGET uparse_lsp)
    continue()
  endif()
  add_executable(fuzz_replay_${name} ${PROJECT_SOURCE_DIR}/fuzz/fuzz_${name}.cpp
    ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp ${UPARSER_FUZZ_SUPPORT})
  uparser_fuzz_target_needs(fuzz_replay_${name} ${name} ${FUZZ_REPLAY_EXAMPLES})
  target_compile_options(fuzz_replay_${name} PRIVATE ${UPARSER_WARNINGS})
  add_test(NAME fuzz.replay.${name}
    COMMAND fuzz_replay_${name}
      ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name}
      ${PROJECT_SOURCE_DIR}/fuzz/regressions/${name}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/fuzz)
  set_tests_properties(fuzz.replay.${name} PROPERTIES TIMEOUT 600)
endforeach()
