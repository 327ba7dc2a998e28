# The README's tour is a real program: run with the English catalog it prints what the README
# says, and the README shows examples/tour/tour.cpp exactly as it is. Its list of host symbols
# is what the library refers to.
# Included by tests/CMakeLists.txt it registers the tests; run with -P and STEP it is one of them.
if(CMAKE_SCRIPT_MODE_FILE)
  cmake_policy(VERSION 3.25)

  # The lines of the fenced block (```language) that follows the comment <!-- marker in the
  # README, each with its line end.
  function(readme_block marker language result)
    file(READ ${SOURCE_DIR}/README.md readme)
    string(FIND "${readme}" "<!-- ${marker}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "README.md has no block marked <!-- ${marker} -->")
    endif()
    string(SUBSTRING "${readme}" ${at} -1 rest)
    set(fence "\n```${language}\n")
    string(FIND "${rest}" "${fence}" open)
    if(open EQUAL -1)
      message(FATAL_ERROR "README.md has no ```${language} block after <!-- ${marker}")
    endif()
    string(LENGTH "${fence}" skip)
    math(EXPR open "${open} + ${skip}")
    string(SUBSTRING "${rest}" ${open} -1 rest)
    string(FIND "${rest}" "\n```\n" close)
    math(EXPR close "${close} + 1")
    string(SUBSTRING "${rest}" 0 ${close} block)
    set(${result} "${block}" PARENT_SCOPE)
  endfunction()

  if(STEP STREQUAL "shows_tour")
    file(READ ${SOURCE_DIR}/examples/tour/tour.cpp tour)
    readme_block("examples/tour/tour.cpp" "cpp" block)
    if(NOT "${block}" STREQUAL "${tour}")
      file(WRITE ${WORKDIR}/readme-tour-block.cpp "${block}")
      message(FATAL_ERROR "the README's tour differs from examples/tour/tour.cpp; compare "
        "${WORKDIR}/readme-tour-block.cpp with the file and copy the file into the README")
    endif()
  elseif(STEP STREQUAL "tour_runs")
    execute_process(COMMAND ${TOUR} ${SOURCE_DIR}/po/en.po
      RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    file(READ ${SOURCE_DIR}/README.md readme)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "the tour exited with ${rc}:\n${out}")
    endif()
    # Every line the tour prints stands in the README, indented as a code block.
    string(REGEX REPLACE "\n$" "" out "${out}")
    string(REPLACE "\n" ";" lines "${out}")
    foreach(line IN LISTS lines)
      string(FIND "${readme}" "\n    ${line}\n" at)
      if(at EQUAL -1)
        message(FATAL_ERROR "the README does not show the tour's line \"${line}\"")
      endif()
    endforeach()
  elseif(STEP STREQUAL "host_symbols")
    # The README lists every host symbol a host must define. The judge is the built library:
    # what it refers to and does not define itself, less the C and C++ runtime, must be the
    # list, and each of them must be declared in uparser/host/.
    execute_process(COMMAND ${NM} -C ${LIBRARY} RESULT_VARIABLE rc OUTPUT_VARIABLE symbols
      ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${NM} -C ${LIBRARY} failed: ${err}")
    endif()
    string(REPLACE "[abi:cxx11]" "" symbols "${symbols}")
    string(REPLACE "std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> >"
      "std::string" symbols "${symbols}")
    string(REPLACE ";" "," symbols "${symbols}")
    string(REPLACE "\n" ";" lines "${symbols}")
    set(defined "")
    set(undefined "")
    foreach(line IN LISTS lines)
      if(line MATCHES "^ +U ([^@]+)")
        list(APPEND undefined "${CMAKE_MATCH_1}")
      elseif(line MATCHES "^[0-9a-f]+ [A-Za-z] ([^@]+)")
        list(APPEND defined "${CMAKE_MATCH_1}")
      endif()
    endforeach()
    list(REMOVE_ITEM undefined ${defined})
    list(REMOVE_DUPLICATES undefined)

    file(GLOB headers ${SOURCE_DIR}/uparser/host/*.h)
    set(declared "")
    foreach(header IN LISTS headers)
      file(READ ${header} text)
      set(type_name "(class|struct|union) UPARSER_HOST_API [A-Za-z_0-9]+")
      set(function_name "UPARSER_HOST_API [^(;\n]* [A-Za-z_0-9]+\\(")
      string(REGEX MATCHALL "${type_name}|${function_name}" names "${text}")
      foreach(name IN LISTS names)
        string(REGEX REPLACE ".* ([A-Za-z_0-9]+)\\(?$" "\\1" name "${name}")
        list(APPEND declared ${name})
      endforeach()
    endforeach()

    # Type information is left out of the comparison: which classes' a build refers to
    # depends on its checks (the sanitizers' type checks ask for more).
    set(host "")
    foreach(symbol IN LISTS undefined)
      string(REGEX REPLACE "^(vtable|typeinfo) for " "" entity "${symbol}")
      string(REGEX MATCH "^[A-Za-z_][A-Za-z_0-9]*" name "${entity}")
      if(name IN_LIST declared)
        if(NOT symbol MATCHES "^typeinfo for ")
          list(APPEND host "${symbol}")
        endif()
      elseif(entity MATCHES "^(std|__gnu_cxx|__cxxabiv1)::|^operator (new|delete)|^void std::"
             OR NOT entity MATCHES "\\(")
        # the C++ runtime, and C functions
      else()
        message(FATAL_ERROR "the library refers to ${symbol}, which uparser/host/ does not declare")
      endif()
    endforeach()
    list(SORT host)

    readme_block("host symbols" "" block)
    string(REGEX REPLACE "\n$" "" block "${block}")
    string(REPLACE ";" "," block "${block}")
    string(REPLACE "\n" ";" listed "${block}")
    list(SORT listed)
    if(NOT listed STREQUAL host)
      set(missing ${host})
      list(REMOVE_ITEM missing ${listed})
      set(extra ${listed})
      list(REMOVE_ITEM extra ${host})
      string(REPLACE ";" "\n  " missing "${missing}")
      string(REPLACE ";" "\n  " extra "${extra}")
      message(FATAL_ERROR "the README's host symbols differ from what ${LIBRARY} refers to.\n"
        "Missing from the README:\n  ${missing}\nListed but not referred to:\n  ${extra}")
    endif()
  else()
    message(FATAL_ERROR "unknown step '${STEP}'")
  endif()
else()
  add_test(NAME readme.shows_tour
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
      -DWORKDIR=${CMAKE_CURRENT_BINARY_DIR} -DSTEP=shows_tour -P ${CMAKE_CURRENT_LIST_FILE})
  add_test(NAME readme.host_symbols
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DNM=${CMAKE_NM}
      -DLIBRARY=$<TARGET_FILE:uparser> -DSTEP=host_symbols -P ${CMAKE_CURRENT_LIST_FILE})
  if(TARGET uparser_tour)
    add_test(NAME readme.tour_runs
      COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DTOUR=$<TARGET_FILE:uparser_tour>
        -DSTEP=tour_runs -P ${CMAKE_CURRENT_LIST_FILE})
  endif()
endif()
