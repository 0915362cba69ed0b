# Installs a build tree into a scratch DESTDIR as a packager would, then checks what landed there:
# cmake -DBUILD=.. -DWORK=.. -DMAN_SOURCE=.. [-DGROFF=..] -P run_install.cmake
set(prefix /usr/local)
set(root ${WORK}${prefix})
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${WORK}
                        ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed (${rc}):\n${out}${err}")
endif()

# Exactly the programs, their pages, the player's desktop entry and the file type of info.med: no
# libraries, headers or test programs.
file(GLOB_RECURSE installed RELATIVE ${root} ${WORK}/*)
list(SORT installed)
set(programs velmorant velmorant-med velmorant-stamp)
set(expected)
foreach(program IN LISTS programs)
  list(APPEND expected bin/${program})
endforeach()
foreach(program IN LISTS programs)
  list(APPEND expected share/man/man1/${program}.1)
endforeach()
list(APPEND expected share/applications/velmorant.desktop share/mime/packages/velmorant.xml)
list(SORT expected)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

foreach(program IN LISTS programs)
  # The installed copy runs from its new place.
  execute_process(COMMAND ${root}/bin/${program} --help RESULT_VARIABLE rc OUTPUT_VARIABLE usage)
  if(NOT rc EQUAL 0 OR NOT usage MATCHES "usage: ${program} ")
    message(FATAL_ERROR "${program} --help (${rc}):\n${usage}")
  endif()
  # Its page names every option its --help does.
  set(page ${root}/share/man/man1/${program}.1)
  file(READ ${page} roff)
  string(REGEX MATCHALL "--[a-z][a-z-]*" options "${usage}")
  foreach(option IN LISTS options)
    string(REPLACE "-" "\\-" escaped "${option}")
    string(FIND "${roff}" "${escaped}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${page} does not mention ${option}")
    endif()
  endforeach()
  if(GROFF)
    execute_process(COMMAND ${GROFF} -man -ww -z -Tutf8 ${page} ERROR_VARIABLE warnings)
    if(warnings)
      message(FATAL_ERROR "${page}:\n${warnings}")
    endif()
  endif()
endforeach()

# "Open with Velmorant" on an info.med gives the player that file.
file(READ ${root}/share/applications/velmorant.desktop entry)
foreach(line "Exec=velmorant -p %f" "MimeType=application/x-velmorant-presentation;")
  string(FIND "${entry}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
file(READ ${root}/share/mime/packages/velmorant.xml mime)
if(NOT mime MATCHES "type=\"application/x-velmorant-presentation\"" OR
   NOT mime MATCHES "pattern=\"info.med\"")
  message(FATAL_ERROR "the file type does not match info.med:\n${mime}")
endif()
