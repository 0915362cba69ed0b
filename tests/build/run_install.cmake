# Installs a build tree into a scratch DESTDIR as a packager would, then checks what landed there:
# cmake -DBUILD=.. -DWORK=.. -DVERSION=.. [-DICON_PNGS=ON] [-DGROFF=..] -P run_install.cmake
cmake_policy(VERSION 3.25)
set(prefix /usr/local)
set(root ${WORK}${prefix})
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${WORK}
                        ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed (${rc}):\n${out}${err}")
endif()

# Exactly the programs, their pages, the desktop entry, the file type of info.med, the icon, the
# software-centre description and the demo: no libraries, headers or test programs.
file(GLOB_RECURSE installed RELATIVE ${root} ${WORK}/*)
list(SORT installed)
set(demo_files ${installed})
list(FILTER demo_files INCLUDE REGEX "^share/velmorant/demo/")
list(FILTER installed EXCLUDE REGEX "^share/velmorant/demo/")
set(programs velmorant velmorant-med velmorant-stamp)
set(expected)
foreach(program IN LISTS programs)
  list(APPEND expected bin/${program} share/man/man1/${program}.1)
endforeach()
list(APPEND expected share/applications/velmorant.desktop share/mime/packages/velmorant.xml
     share/metainfo/example.velmorant.Velmorant.metainfo.xml
     share/icons/hicolor/scalable/apps/velmorant.svg)
if(ICON_PNGS)
  foreach(size 48 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/velmorant.png)
  endforeach()
endif()
list(SORT expected)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

# The demo is a presentation of its own: its definition, its assets, and its program still a
# program.
set(demo share/velmorant/demo)
foreach(file info.med tla/powitanie.bmp dzwieki/powitanie.wav filmy/kolory.avi teksty/opis.rtf)
  if(NOT "${demo}/${file}" IN_LIST demo_files)
    message(FATAL_ERROR "the installed demo lacks ${file}:\n  ${demo_files}")
  endif()
endforeach()
execute_process(COMMAND test -x ${root}/${demo}/procesy/zegar.sh RESULT_VARIABLE not_executable)
if(not_executable)
  message(FATAL_ERROR "the demo's program is installed without its execute bit")
endif()

foreach(program IN LISTS programs)
  # The installed copy runs from its new place.
  execute_process(COMMAND ${root}/bin/${program} --help RESULT_VARIABLE rc OUTPUT_VARIABLE usage)
  if(NOT rc EQUAL 0 OR NOT usage MATCHES "usage: ${program} ")
    message(FATAL_ERROR "${program} --help (${rc}):\n${usage}")
  endif()
  execute_process(COMMAND ${root}/bin/${program} --version RESULT_VARIABLE rc OUTPUT_VARIABLE line)
  if(NOT rc EQUAL 0 OR NOT line STREQUAL "${program} ${VERSION}\n")
    message(FATAL_ERROR "${program} --version (${rc}): \"${line}\", expected ${program} ${VERSION}")
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

# "Open with Velmorant" on an info.med or a folder gives the player that file; from the menu it
# gets no argument at all, and asks for a folder.
file(READ ${root}/share/applications/velmorant.desktop entry)
foreach(line "Exec=velmorant %f\n" "MimeType=application/x-velmorant-presentation;inode/directory;")
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
