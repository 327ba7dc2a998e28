# The end-to-end suite of uparse runs the built program and reads its JSON lines back.
if(TARGET uparse_test)
  find_package(nlohmann_json CONFIG REQUIRED)
  target_link_libraries(uparse_test PRIVATE nlohmann_json::nlohmann_json)
  if(TARGET uparse)
    add_dependencies(uparse_test uparse)
    target_compile_definitions(uparse_test PRIVATE UPARSE_PATH="$<TARGET_FILE:uparse>")
  endif()
endif()
