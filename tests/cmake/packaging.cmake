# The ways a program takes the library with the reference host: the installed CMake package
# and pkg-config files (one install into a scratch prefix serves both), and add_subdirectory of
# the source tree; and the installed uparse with its manual page. Installed programs and
# libraries find each other through their RUNPATHs: nothing here sets LD_LIBRARY_PATH.
# Included by tests/CMakeLists.txt it registers the tests; run with -P and STEP it is one of them.
if(CMAKE_SCRIPT_MODE_FILE)
  function(step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
    endif()
    set(out "${out}" PARENT_SCOPE)
  endfunction()

  # The tour prints its first command's result and reports its third command's mistake.
  function(check_tour program)
    step("run the tour" ${program})
    foreach(line "Survey in 8 bins: age income region"
        "error: Variable city for parameter command line of TALLY command... is not numerical")
      string(FIND "${out}" "${line}" at)
      if(at EQUAL -1)
        message(FATAL_ERROR "the tour did not print \"${line}\":\n${out}")
      endif()
    endforeach()
  endfunction()

  function(installed_pkgconfig_dir result)
    file(GLOB_RECURSE pc ${PREFIX}/*/pkgconfig/uparser.pc)
    list(GET pc 0 pc)
    get_filename_component(dir ${pc} DIRECTORY)
    set(${result} ${dir} PARENT_SCOPE)
  endfunction()

  set(PREFIX ${WORKDIR}/prefix)
  separate_arguments(cxx_flags UNIX_COMMAND "${CXX_FLAGS}")
  separate_arguments(linker_flags UNIX_COMMAND "${EXE_LINKER_FLAGS}")

  if(STEP STREQUAL "install")
    file(REMOVE_RECURSE ${PREFIX})
    step("install" ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${PREFIX})
  elseif(STEP STREQUAL "cleanup")
    file(REMOVE_RECURSE ${PREFIX})
  elseif(STEP STREQUAL "tour_find_package")
    set(build ${WORKDIR}/findpackage)
    file(REMOVE_RECURSE ${build})
    step("configure the tour against the package" ${CMAKE_COMMAND}
      -S ${SOURCE_DIR}/tests/packaging/findpackage -B ${build} -G ${GENERATOR}
      -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DCMAKE_CXX_COMPILER=${CXX}
      -DCMAKE_CXX_FLAGS=${CXX_FLAGS} -DCMAKE_EXE_LINKER_FLAGS=${EXE_LINKER_FLAGS}
      -DCMAKE_PREFIX_PATH=${PREFIX} -DTOUR_SOURCE=${SOURCE_DIR}/examples/tour/tour.cpp)
    step("build the tour" ${CMAKE_COMMAND} --build ${build})
    check_tour(${build}/tour)
    file(REMOVE_RECURSE ${build})
  elseif(STEP STREQUAL "tour_pkg_config")
    installed_pkgconfig_dir(pcdir)
    # Installed into a scratch prefix, not the configured one: the file must find its own.
    step("ask pkg-config" ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pcdir}
      ${PKG_CONFIG} --cflags --libs uparser-refhost)
    separate_arguments(flags UNIX_COMMAND "${out}")
    set(program ${WORKDIR}/tour-pkgconfig)
    # --as-needed, as some distributions link by default: the line must hold under it too.
    step("compile and link with pkg-config's flags" ${CXX} -std=c++17 ${cxx_flags}
      ${SOURCE_DIR}/examples/tour/tour.cpp -Wl,--as-needed ${flags} ${linker_flags}
      -o ${program})
    check_tour(${program})
    file(REMOVE ${program})
  elseif(STEP STREQUAL "installed_programs")
    # uparse runs from the prefix as installed, and its manual page is there and clean.
    step("run the installed uparse" ${PREFIX}/bin/uparse --version)
    if(NOT out MATCHES "uparse [0-9.]+\nuparser library [0-9.]+")
      message(FATAL_ERROR "the installed uparse printed:\n${out}")
    endif()
    file(GLOB_RECURSE manual ${PREFIX}/*/uparse.1)
    if(NOT manual MATCHES "/man1/uparse.1$")
      message(FATAL_ERROR "uparse.1 is not installed under ${PREFIX}")
    endif()
    if(GROFF)
      step("format the manual page" ${GROFF} -mdoc -Tutf8 -ww -z ${manual})
      if(NOT out STREQUAL "")
        message(FATAL_ERROR "groff warns about uparse.1:\n${out}")
      endif()
    endif()
  elseif(STEP STREQUAL "add_subdirectory")
    set(build ${WORKDIR}/subdirectory)
    file(REMOVE_RECURSE ${build})
    step("configure a host that adds the source tree" ${CMAKE_COMMAND}
      -S ${SOURCE_DIR}/tests/packaging/subdirectory -B ${build} -G ${GENERATOR}
      -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DCMAKE_CXX_COMPILER=${CXX}
      -DCMAKE_CXX_FLAGS=${CXX_FLAGS} -DCMAKE_EXE_LINKER_FLAGS=${EXE_LINKER_FLAGS}
      -DCMAKE_SHARED_LINKER_FLAGS=${SHARED_LINKER_FLAGS} -DUPARSER_SOURCE=${SOURCE_DIR})
    step("build the host" ${CMAKE_COMMAND} --build ${build} --parallel 2)
    check_tour(${build}/tour)
    file(REMOVE_RECURSE ${build})
  else()
    message(FATAL_ERROR "unknown step '${STEP}'")
  endif()
else()
  set(packaging_args ${UPARSER_SCRATCH_BUILD_ARGS}
    -DBINARY_DIR=${PROJECT_BINARY_DIR}
    -DWORKDIR=${CMAKE_CURRENT_BINARY_DIR}/packaging-test)
  macro(packaging_test name)
    add_test(NAME package.${name}
      COMMAND ${CMAKE_COMMAND} ${packaging_args} ${ARGN} -DSTEP=${name}
        -P ${CMAKE_CURRENT_LIST_FILE})
  endmacro()

  packaging_test(install)
  packaging_test(cleanup)
  packaging_test(tour_find_package)
  set_tests_properties(package.install PROPERTIES FIXTURES_SETUP uparser_installed)
  set_tests_properties(package.cleanup PROPERTIES FIXTURES_CLEANUP uparser_installed)
  set_tests_properties(package.tour_find_package PROPERTIES
    FIXTURES_REQUIRED uparser_installed TIMEOUT 600)
  find_program(UPARSER_PKG_CONFIG NAMES pkg-config pkgconf)
  if(UPARSER_PKG_CONFIG)
    packaging_test(tour_pkg_config -DPKG_CONFIG=${UPARSER_PKG_CONFIG})
    set_tests_properties(package.tour_pkg_config PROPERTIES
      FIXTURES_REQUIRED uparser_installed TIMEOUT 600)
  endif()
  if(TARGET uparse)
    find_program(UPARSER_GROFF groff)
    packaging_test(installed_programs -DGROFF=${UPARSER_GROFF})
    set_tests_properties(package.installed_programs PROPERTIES FIXTURES_REQUIRED uparser_installed)
  endif()
  packaging_test(add_subdirectory)
  set_tests_properties(package.add_subdirectory PROPERTIES TIMEOUT 1800)
endif()
