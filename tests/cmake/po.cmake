# The message catalogs: gettext's own check of each shipped catalog, and the catalog suite,
# which regenerates the template with the table of tools/potgen.
find_program(UPARSER_MSGFMT msgfmt REQUIRED)
foreach(catalog en de)
  add_test(NAME po.msgfmt_check_${catalog}
    COMMAND ${UPARSER_MSGFMT} --check -o /dev/null ${PROJECT_SOURCE_DIR}/po/${catalog}.po)
endforeach()
if(TARGET catalogs_test)
  if(TARGET uparser_potgen)
    target_link_libraries(catalogs_test PRIVATE uparser_potgen)
  else()
    set_target_properties(catalogs_test PROPERTIES EXCLUDE_FROM_ALL ON)
  endif()
endif()
