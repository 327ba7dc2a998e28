# A host of its own (examples/embedding) embeds the library with no reference host in its
# link: built against the installed package (shared: linked in, and loaded by a plugin;
# pkg-config's line for the library alone) and against a static build of the source tree. Each
# run parses a correct and a wrong command; the host's own services must have received the
# library's message, and nothing may reach standard error. Hosts that leave a service out must
# fail to link or to load.
# Included by tests/CMakeLists.txt it registers the tests; run with -P and STEP it is one of them.
if(CMAKE_SCRIPT_MODE_FILE)
  cmake_policy(VERSION 3.25)
  function(step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
    endif()
  endfunction()

  function(configure_and_build what source build)
    step("configure ${what}" ${CMAKE_COMMAND} -S ${source} -B ${build} -G ${GENERATOR}
      -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DCMAKE_CXX_COMPILER=${CXX}
      -DCMAKE_CXX_FLAGS=${CXX_FLAGS} -DCMAKE_EXE_LINKER_FLAGS=${EXE_LINKER_FLAGS}
      -DCMAKE_SHARED_LINKER_FLAGS=${SHARED_LINKER_FLAGS}
      -DCMAKE_MODULE_LINKER_FLAGS=${SHARED_LINKER_FLAGS} ${ARGN})
    step("build ${what}" ${CMAKE_COMMAND} --build ${build} --parallel 2)
  endfunction()

  # The host's run succeeds, says so, and writes nothing to standard error; the program has no
  # reference host in it or beneath it.
  function(check_host_run program)
    execute_process(COMMAND ${program} ${ARGN}
      RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR NOT out MATCHES "embedding: 2 commands, 1 message, 0 failures")
      message(FATAL_ERROR "${program} ${ARGN} exited with ${rc}:\n${out}\n${err}")
    endif()
    if(NOT err STREQUAL "")
      message(FATAL_ERROR "${program} wrote to standard error:\n${err}")
    endif()
    foreach(binary ${program} ${ARGN})
      file(STRINGS ${binary} refhost REGEX "refhost")
      if(refhost)
        message(FATAL_ERROR "${binary} names the reference host: ${refhost}")
      endif()
    endforeach()
  endfunction()

  set(shared_build ${WORKDIR}/embedding-shared)
  if(STEP STREQUAL "build")
    configure_and_build("the embedding host against the installed package"
      ${SOURCE_DIR}/examples/embedding ${shared_build} -DCMAKE_PREFIX_PATH=${PREFIX})
  elseif(STEP STREQUAL "linked")
    check_host_run(${shared_build}/embedding_host)
    # Nor does the installed library need, name or export anything of the reference host.
    file(GLOB libraries ${LIBDIR}/libuparser.so.*.*)
    foreach(library IN LISTS libraries)
      file(STRINGS ${library} refhost REGEX "refhost")
      if(refhost)
        message(FATAL_ERROR "${library} names the reference host: ${refhost}")
      endif()
    endforeach()
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${shared_build} --target embedding_host_incomplete
      RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(rc EQUAL 0 OR NOT out MATCHES "undefined reference to `(CheckFileRef|ValidateFileSpec)")
      message(FATAL_ERROR "a host without file services linked, or failed otherwise:\n${out}")
    endif()
  elseif(STEP STREQUAL "plugin")
    check_host_run(${shared_build}/embedding_loader ${shared_build}/librank_plugin.so)
    execute_process(COMMAND ${shared_build}/embedding_loader_incomplete ${shared_build}/librank_plugin.so
      RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(missing "undefined symbol: _Z[^ ]*(CheckFileRef|ValidateFileSpecification)")
    if(NOT rc EQUAL 1 OR NOT err MATCHES "cannot load the procedure: .*${missing}")
      message(FATAL_ERROR "a host without file services loaded the plugin (${rc}):\n${out}\n${err}")
    endif()
  elseif(STEP STREQUAL "pkg_config")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${LIBDIR}/pkgconfig
      ${PKG_CONFIG} --cflags --libs uparser
      RESULT_VARIABLE rc OUTPUT_VARIABLE flags ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR flags MATCHES "refhost")
      message(FATAL_ERROR "pkg-config answered (${rc}): ${flags}${err}")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    separate_arguments(cxx_flags UNIX_COMMAND "${CXX_FLAGS}")
    separate_arguments(linker_flags UNIX_COMMAND "${EXE_LINKER_FLAGS}")
    file(GLOB sources ${SOURCE_DIR}/examples/embedding/*.cpp
      ${SOURCE_DIR}/examples/embedding/services/*.cpp)
    list(FILTER sources EXCLUDE REGEX "loader\\.cpp$")
    set(program ${WORKDIR}/embedding-pkg-config)
    step("compile and link the host with pkg-config's line" ${CXX} -std=c++17 ${cxx_flags}
      ${sources} -Wl,--as-needed ${flags} ${linker_flags} -o ${program})
    check_host_run(${program})
    file(REMOVE ${program})
  elseif(STEP STREQUAL "static")
    # The library built static from the source tree and installed, then the host against it.
    set(library_build ${WORKDIR}/static-library)
    set(static_prefix ${WORKDIR}/static-prefix)
    configure_and_build("the static library" ${SOURCE_DIR} ${library_build}
      -DBUILD_SHARED_LIBS=OFF -DUPARSER_BUILD_TESTS=OFF -DUPARSER_BUILD_TOOLS=OFF)
    file(REMOVE_RECURSE ${static_prefix})
    step("install the static library" ${CMAKE_COMMAND} --install ${library_build}
      --prefix ${static_prefix})
    file(GLOB_RECURSE archives ${static_prefix}/*/libuparser.a)
    file(GLOB_RECURSE shared ${static_prefix}/*/libuparser.so*)
    if(NOT archives OR shared)
      message(FATAL_ERROR "the static install holds '${archives}' and '${shared}'")
    endif()
    set(build ${WORKDIR}/embedding-static)
    configure_and_build("the embedding host against the static package"
      ${SOURCE_DIR}/examples/embedding ${build} -DCMAKE_PREFIX_PATH=${static_prefix})
    check_host_run(${build}/embedding_host)
    file(STRINGS ${build}/embedding_host needed REGEX "libuparser\\.so")
    if(needed)
      message(FATAL_ERROR "embedding_host refers to a shared library: ${needed}")
    endif()
  else()
    message(FATAL_ERROR "unknown step '${STEP}'")
  endif()
else()
  set(embedding_workdir ${CMAKE_CURRENT_BINARY_DIR}/embedding-test)
  set(embedding_prefix ${CMAKE_CURRENT_BINARY_DIR}/packaging-test/prefix)
  set(embedding_args ${UPARSER_SCRATCH_BUILD_ARGS}
    -DWORKDIR=${embedding_workdir}
    -DPREFIX=${embedding_prefix}
    -DLIBDIR=${embedding_prefix}/${CMAKE_INSTALL_LIBDIR})
  macro(embedding_test name)
    add_test(NAME embedding.${name}
      COMMAND ${CMAKE_COMMAND} ${embedding_args} ${ARGN} -DSTEP=${name}
        -P ${CMAKE_CURRENT_LIST_FILE})
  endmacro()

  embedding_test(build)
  set_tests_properties(embedding.build PROPERTIES FIXTURES_REQUIRED uparser_installed
    FIXTURES_SETUP embedding_built TIMEOUT 900)
  foreach(name linked plugin)
    embedding_test(${name})
    set_tests_properties(embedding.${name} PROPERTIES
      FIXTURES_REQUIRED "uparser_installed;embedding_built")
  endforeach()
  if(NOT BUILD_SHARED_LIBS)
    set_tests_properties(embedding.plugin PROPERTIES DISABLED TRUE)
  endif()
  find_program(UPARSER_PKG_CONFIG NAMES pkg-config pkgconf)
  if(UPARSER_PKG_CONFIG)
    embedding_test(pkg_config -DPKG_CONFIG=${UPARSER_PKG_CONFIG})
    set_tests_properties(embedding.pkg_config PROPERTIES
      FIXTURES_REQUIRED uparser_installed TIMEOUT 600)
  endif()
  embedding_test(static)
  set_tests_properties(embedding.static PROPERTIES TIMEOUT 1800)
endif()
