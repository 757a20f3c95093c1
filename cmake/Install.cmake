# The installed layout and the Debian package.
#
# Under any prefix P (`cmake --install build --prefix P`): the programs in
# P/bin, their read-only data in P/share/orvane-graphic, where the programs
# look for it as <their folder>/../share/orvane-graphic. The folders are
# written out rather than taken from GNUInstallDirs: the programs rely on
# exactly bin/ beside share/.
#
# `make package` builds the .deb with CPack from these same rules.

set(ORVANE_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/resources/desktop)
set(ORVANE_DATA_DESTINATION share/orvane-graphic)

install(TARGETS orvane-menu RUNTIME DESTINATION bin)

if(TARGET orvane-graphic)
  # Copied as it is: install(TARGETS) would edit the file and strip would
  # drop the player block from its end. Where stripping is asked for
  # (--strip, or the package), the program is stripped first and the block
  # appended again.
  install(PROGRAMS $<TARGET_FILE:orvane-graphic> DESTINATION bin)
  set(_orvane_strip "")
  if(CMAKE_STRIP)
    set(_orvane_strip "execute_process(COMMAND \"${CMAKE_STRIP}\" \"\${_editor}\" COMMAND_ERROR_IS_FATAL ANY)")
    get_property(_orvane_block GLOBAL PROPERTY ORVANE_PLAYER_BLOCK)
    if(_orvane_block)
      string(APPEND _orvane_strip "
      execute_process(COMMAND \"$<TARGET_FILE:orvane-append-player-block>\" \"\${_editor}\"
                              \"${ORVANE_PLAYER_EXE}\" COMMAND_ERROR_IS_FATAL ANY)")
    endif()
  endif()
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      set(_editor \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/orvane-graphic\")
      ${_orvane_strip}
    endif()")
endif()

# The built-in styles are compiled into the programs, so share/orvane-graphic/
# holds the help pages; styles/ and buttons/ there, for style files shipped
# beside the programs, are read when present.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${ORVANE_DATA_DESTINATION}/help)

# What makes the editor a desktop program: its launcher, icons, file types,
# store entry, thumbnailer and manual pages.
install(FILES ${ORVANE_DESKTOP_DIR}/orvane-graphic.desktop DESTINATION share/applications)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
  install(FILES ${ORVANE_DESKTOP_DIR}/orvane-graphic-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME orvane-graphic.png)
endforeach()
install(FILES ${ORVANE_DESKTOP_DIR}/orvane-graphic.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${ORVANE_DESKTOP_DIR}/orvane-graphic.xml DESTINATION share/mime/packages)
install(FILES ${ORVANE_DESKTOP_DIR}/org.orvane.Graphic.metainfo.xml DESTINATION share/metainfo)
install(FILES ${ORVANE_DESKTOP_DIR}/orvane-graphic.thumbnailer DESTINATION share/thumbnailers)
# Manual pages are installed compressed, as Debian's policy asks (-n: the
# same bytes on every build).
set(_orvane_man_pages "")
foreach(page IN ITEMS orvane-graphic.1 orvane-menu.1)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/man/${page}.gz
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
                     COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/docs/man/${page} > ${PROJECT_BINARY_DIR}/man/${page}.gz
                     DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page} VERBATIM)
  list(APPEND _orvane_man_pages ${PROJECT_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(orvane-man-pages ALL DEPENDS ${_orvane_man_pages})
install(FILES ${_orvane_man_pages} DESTINATION share/man/man1)
# The player carried at the end of the editor is a Windows program with zlib
# built in; the editor itself links the system's.
install(FILES ${ORVANE_DESKTOP_DIR}/lintian-overrides DESTINATION share/lintian/overrides RENAME orvane-graphic)

# The package. Its mime, desktop, icon and manual databases are brought up
# to date by the triggers that shared-mime-info, desktop-file-utils,
# hicolor-icon-theme and man-db hold on those folders; it needs no scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane-graphic)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for graphic autorun menus of CDs and USB sticks")
# CPack puts the summary on the first line itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The editor designs the menu window that opens when a CD, DVD or USB stick
is inserted: a title, a text, a background from a menu style or a photo,
and a column of image buttons that open documents, addresses or other
menus. It writes the autorun application for the disc, tries it under
Wine, makes an ISO image of the disc folder and burns it.
orvane-menu does the same from scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Orvane Graphic maintainers <maintainers@orvane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvane.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Metric-compatible fonts for the styles' fonts; the documents folder;
# the test run of the autorun application.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-user-dirs")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine64")
include(CPack)
