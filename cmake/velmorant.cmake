# velmorant_library(NAME DIRS DIR... [EXCLUDE REGEX...] [DEPS ...]): a static library of every .cpp
# in the given folders (not recursive), so that adding a source file needs no change here. EXCLUDE
# leaves out the files whose path matches one of the expressions (a backend's files on another).
function(velmorant_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS;EXCLUDE" ${ARGN})
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    # A misspelt or not yet created folder would otherwise build a library without its sources.
    if(NOT IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
      message(FATAL_ERROR "velmorant_library(${name}): no folder ${CMAKE_CURRENT_SOURCE_DIR}/${dir}")
    endif()
    file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${dir_sources})
  endforeach()
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  foreach(pattern IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${pattern}")
  endforeach()
  if(NOT sources)
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${stub} "// no sources yet\n")
    set(sources ${stub})
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# velmorant_test(NAME DIR DEPS...): one GoogleTest program of every .cpp in tests/unit/DIR; each test
# case becomes a CTest test so that ctest -j runs them in parallel.
function(velmorant_test name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
  # The corpora sit beside the source tree; tests/support/corpus_dir.hpp lets the environment say
  # otherwise.
  cmake_path(SET corpora NORMALIZE "${PROJECT_SOURCE_DIR}/../shared/corpora")
  target_compile_definitions(${name} PRIVATE
    VELMORANT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VELMORANT_CORPORA_DIR="${corpora}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()
