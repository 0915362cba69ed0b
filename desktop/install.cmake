# `make install` and the package: the player's desktop entry, the file type of info.med, the icon
# and the software-centre description, so that a menu shows the player and a file manager offers
# "Open with Velmorant" for a presentation or a folder.
include(GNUInstallDirs)
set(desktop_dir ${CMAKE_CURRENT_LIST_DIR})
install(FILES ${desktop_dir}/velmorant.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_dir}/velmorant-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME velmorant.xml)
install(FILES ${desktop_dir}/velmorant.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME example.velmorant.Velmorant.metainfo.xml)

# The icon is drawn once, as SVG; menus that want pixels get it rendered at build time.
set(icon_svg ${desktop_dir}/icons/velmorant.svg)
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  set(icon_pngs)
  foreach(size 48 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/velmorant.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${icon_svg}
      DEPENDS ${icon_svg} COMMENT "Rendering the ${size}x${size} icon")
    list(APPEND icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(icons ALL DEPENDS ${icon_pngs})
else()
  message(STATUS "rsvg-convert not found (librsvg2-bin): the icon is installed as SVG only")
endif()

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
