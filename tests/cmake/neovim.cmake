# Neovim's LSP client, set up as the README says, against the built uparse-lsp, headless and
# without the user's configuration (tests/nvim/lsp_test.lua). Neovim is a test dependency (make deps installs it):
# without it the test fails and says so rather than being skipped.
if(TARGET uparse-lsp)
  find_program(UPARSER_NVIM nvim)
  if(UPARSER_NVIM)
    # Its state, caches and the client's log stay in the build tree.
    set(nvim_home ${CMAKE_CURRENT_BINARY_DIR}/nvim-home)
    add_test(NAME uparse_lsp.neovim
      COMMAND ${UPARSER_NVIM} --headless --clean -u NONE -i NONE -n
        -c "luafile ${CMAKE_CURRENT_SOURCE_DIR}/nvim/lsp_test.lua")
    set_tests_properties(uparse_lsp.neovim PROPERTIES
      TIMEOUT 120
      ENVIRONMENT "PATH=$<TARGET_FILE_DIR:uparse-lsp>:$ENV{PATH};UPARSER_SOURCE_DIR=${PROJECT_SOURCE_DIR};XDG_CONFIG_HOME=${nvim_home}/config;XDG_DATA_HOME=${nvim_home}/data;XDG_STATE_HOME=${nvim_home}/state;XDG_CACHE_HOME=${nvim_home}/cache")
  else()
    add_test(NAME uparse_lsp.neovim
      COMMAND sh -c "echo 'nvim not found: install the neovim package (make deps) to run this test' >&2; exit 1")
  endif()
endif()
