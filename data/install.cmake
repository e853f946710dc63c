# What `cmake --install` puts where: the programs in bin/, their help pages
# in share/doc/quillo/ (where the programs look for them, see
# src/platform/help_page.cpp), the examples in share/quillo/examples/, and
# the desktop entries, file types and icons under share/. Included at the
# end of the top-level CMakeLists.txt, where every program target is known.

set(quillo_programs quillomodel quilloanime facesmith quillosaver)
set(quillo_installed_programs "")
foreach(program IN LISTS quillo_programs)
  if(TARGET ${program})
    list(APPEND quillo_installed_programs ${program})
  endif()
endforeach()
install(TARGETS ${quillo_installed_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The user help only: pages, their style sheet and pictures (not INTERNALS.md).
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${QUILLO_DOC_INSTALL_DIR}
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quillo/examples)

# Desktop entries and icons only for the programs that were built.
set(quillo_data ${CMAKE_SOURCE_DIR}/data)
foreach(program IN LISTS quillo_installed_programs)
  install(FILES ${quillo_data}/icons/hicolor/scalable/apps/${program}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endforeach()
foreach(program quillomodel quilloanime facesmith)
  if(TARGET ${program})
    install(FILES ${quillo_data}/applications/${program}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  endif()
endforeach()
if(TARGET quillosaver)
  install(FILES ${quillo_data}/applications/quillosaver.desktop
                ${quillo_data}/applications/quillosaver-settings.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${quillo_data}/xscreensaver/config/quillosaver.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
endif()

install(FILES ${quillo_data}/mime/packages/quillo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(DIRECTORY ${quillo_data}/icons/hicolor/scalable/mimetypes/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
