# The installed package serves a program outside the tree: install into a scratch prefix,
# configure and build tests/consumer against it with the same compiler and flags, run it.
# Included by tests/CMakeLists.txt it registers the test; run with -P it is the test itself.
if(CMAKE_SCRIPT_MODE_FILE)
  function(step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
    endif()
    set(out "${out}" PARENT_SCOPE)
  endfunction()

  set(prefix ${WORKDIR}/prefix)
  set(build ${WORKDIR}/consumer)
  file(REMOVE_RECURSE ${WORKDIR})
  step("install" ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${prefix})
  step("configure the consumer" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/consumer -B ${build}
    -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
    -DCMAKE_CXX_COMPILER=${CXX}
    -DCMAKE_CXX_FLAGS=${CXX_FLAGS}
    -DCMAKE_EXE_LINKER_FLAGS=${EXE_LINKER_FLAGS}
    -DCMAKE_PREFIX_PATH=${prefix})
  step("build the consumer" ${CMAKE_COMMAND} --build ${build})

  step("run the consumer" ${build}/consumer)
  if(NOT out MATCHES "consumer: 9 tokens, 0 failures")
    message(FATAL_ERROR "the consumer printed:\n${out}")
  endif()
  file(REMOVE_RECURSE ${WORKDIR})
else()
  add_test(NAME package.find_package
    COMMAND ${CMAKE_COMMAND} ${UPARSER_SCRATCH_BUILD_ARGS}
      -DBINARY_DIR=${PROJECT_BINARY_DIR}
      -DWORKDIR=${CMAKE_CURRENT_BINARY_DIR}/package-test
      -P ${CMAKE_CURRENT_LIST_FILE})
  set_tests_properties(package.find_package PROPERTIES TIMEOUT 900)
endif()
