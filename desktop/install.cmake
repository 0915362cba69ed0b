# `make install`: the player's desktop entry and the file type of info.med, so that a file manager
# offers "Open with Velmorant" for a presentation.
include(GNUInstallDirs)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/velmorant.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/velmorant-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME velmorant.xml)
# The desktop's caches learn of them at once where their tools are (not when staging a package).
install(CODE [[
  if(NOT DEFINED ENV{DESTDIR})
    find_program(update_mime update-mime-database)
    find_program(update_desktop update-desktop-database)
    if(update_mime)
      execute_process(COMMAND ${update_mime} "${CMAKE_INSTALL_PREFIX}/share/mime")
    endif()
    if(update_desktop)
      execute_process(COMMAND ${update_desktop} "${CMAKE_INSTALL_PREFIX}/share/applications")
    endif()
  endif()
]])
