# Installation layout and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

set(relay_programs relayctl relaysim)
if(TARGET relaypanel)
  list(PREPEND relay_programs relaypanel)
endif()
foreach(program IN LISTS relay_programs)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(UNIX)
  set(relay_packaging ${PROJECT_SOURCE_DIR}/packaging)

  # The desktop entry starts the window: only with the window.
  if(TARGET relaypanel)
    install(FILES ${relay_packaging}/relaypanel.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${relay_packaging}/relaypanel.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  endif()

  # Man pages, compressed as Debian ships them.
  set(relay_pages relayctl.1 relaysim.1)
  if(TARGET relaypanel)
    list(APPEND relay_pages relaypanel.1)
  endif()
  find_program(RELAY_GZIP gzip)
  set(relay_page_files)
  foreach(page IN LISTS relay_pages)
    if(RELAY_GZIP)
      set(out ${CMAKE_BINARY_DIR}/man/${page}.gz)
      add_custom_command(
        OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E copy ${relay_packaging}/${page} ${CMAKE_BINARY_DIR}/man/${page}
        COMMAND ${RELAY_GZIP} -9 -n -f ${CMAKE_BINARY_DIR}/man/${page}
        DEPENDS ${relay_packaging}/${page}
        COMMENT "Compressing the ${page} man page"
        VERBATIM)
      list(APPEND relay_page_files ${out})
    else()
      list(APPEND relay_page_files ${relay_packaging}/${page})
    endif()
  endforeach()
  add_custom_target(relay_man_pages ALL DEPENDS ${relay_page_files})
  install(FILES ${relay_page_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  if(EXISTS ${PROJECT_SOURCE_DIR}/README.md)
    install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  endif()
endif()

# Packages.
set(RELAYPANEL_MAINTAINER "relaypanel developers <relaypanel@example.org>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_PACKAGE_NAME relaypanel)
set(CPACK_PACKAGE_VENDOR "relaypanel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${RELAYPANEL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Window and command line for an eight-relay network power controller")
set(CPACK_PACKAGE_DESCRIPTION
    "relaypanel watches and switches the eight relay outputs and reads the eight inputs of a\n\
network power controller over UDP. The package holds the window (relaypanel), a command\n\
line for scripts (relayctl) and a controller simulator (relaysim).")
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}")

if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${RELAYPANEL_MAINTAINER})
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # dpkg-shlibdeps (dpkg-dev) derives the run-time packages from the programs themselves:
  # the Qt 6 widget libraries and libjpeg62-turbo for the window, libc and libstdc++ for all.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
