# lumira_library(NAME DIRS dir... LINKS lib... [DEFINES def...])
# A shared library from every source file of the given folders.
function(lumira_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LINKS;DEFINES;EXTRA" ${ARGN})
  set(sources)
  foreach(dir ${ARG_DIRS})
    file(GLOB found CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.c
         ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    list(APPEND sources ${found})
  endforeach()
  list(FILTER sources INCLUDE REGEX "\\.(c|cpp|h)$")
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.(c|cpp)$")
  if(NOT compiled)
    message(STATUS "${name}: no sources yet, skipped")
    return()
  endif()
  foreach(lib ${ARG_LINKS})
    if(NOT lib MATCHES "::" AND NOT TARGET ${lib})
      message(STATUS "${name}: needs ${lib}, skipped")
      return()
    endif()
  endforeach()
  add_library(${name} SHARED ${sources} ${ARG_EXTRA})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  target_compile_definitions(${name} PRIVATE ${ARG_DEFINES})
endfunction()

# lumira_test(NAME DIR dir LINKS lib...)
# One GoogleTest executable from every source of tests/<dir>, run headless.
function(lumira_test name)
  cmake_parse_arguments(ARG "" "DIR" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${ARG_DIR}/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/${ARG_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  foreach(lib ${ARG_LINKS})
    if(NOT TARGET ${lib})
      message(STATUS "${name}: needs ${lib}, skipped")
      return()
    endif()
  endforeach()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE lumira_test_main ${ARG_LINKS} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE LUMIRA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    # One ENVIRONMENT entry only: gtest_discover_tests flattens PROPERTIES,
    # so a second "A=B" entry would swallow TIMEOUT and LABELS.  Tests find
    # the source tree through the LUMIRA_SOURCE_DIR definition above.
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               TIMEOUT 300
               LABELS ${ARG_DIR})
endfunction()
