# cmake -DVERSION=.. -DSOURCE=.. -P version_agrees.cmake
set(failures)
macro(expect what found)
  if(NOT "${found}" STREQUAL "${VERSION}")
    list(APPEND failures "${what} says \"${found}\"")
  endif()
endmacro()

# The newest changelog entry is the package's version.
file(STRINGS ${SOURCE}/debian/changelog first LIMIT_COUNT 1)
string(REGEX REPLACE "^velmorant \\(([^)]*)\\).*" "\\1" package "${first}")
expect("debian/changelog" "${package}")

foreach(page velmorant velmorant-med velmorant-stamp)
  file(STRINGS ${SOURCE}/docs/man/${page}.1 th REGEX "^\\.TH " LIMIT_COUNT 1)
  string(REGEX REPLACE ".*\"velmorant ([^\"]*)\".*" "\\1" manual "${th}")
  expect("docs/man/${page}.1" "${manual}")
endforeach()

# The first release listed is the newest.
file(READ ${SOURCE}/desktop/velmorant.metainfo.xml metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" release "${metainfo}")
expect("desktop/velmorant.metainfo.xml" "${CMAKE_MATCH_1}")

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "project(VERSION) is ${VERSION}, but\n  ${text}")
endif()
message(STATUS "everything says version ${VERSION}")
