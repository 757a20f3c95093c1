# The sources that need no desktop: bitmaps, Windows-1252 text, byte streams,
# record files, bitmap records, menu records, the autorun package, the
# animation paths and text wrapping, the buttons' command language, and the
# player's own decisions. The host
# layers build them into their libraries; the menu player builds the very
# same files with mingw-w64. Nothing here may include FreeType, fontconfig,
# libpng, libjpeg, Qt or a POSIX header. The player writes its JSON with a
# small writer of its own (player/JsonTextWriter.cpp): nlohmann-json would
# take it past its size.
get_filename_component(_orvane_root ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

set(ORVANE_PORTABLE_PLATFORM_SOURCES
  ${_orvane_root}/src/platform/Bitmap.cpp
  ${_orvane_root}/src/platform/Cp1252.cpp
  ${_orvane_root}/src/platform/Platform.cpp)
set(ORVANE_PORTABLE_DOCUMENT_SOURCES
  ${_orvane_root}/src/document/AutorunPackage.cpp
  ${_orvane_root}/src/document/FieldTable.cpp
  ${_orvane_root}/src/document/MenuFileInfo.cpp
  ${_orvane_root}/src/document/MenuRecords.cpp
  ${_orvane_root}/src/document/MenuType.cpp
  ${_orvane_root}/src/document/UBmpArray.cpp
  ${_orvane_root}/src/document/mdlfilebin.cpp)
set(ORVANE_PORTABLE_RENDER_SOURCES
  ${_orvane_root}/src/render/ButtonAnimation.cpp
  ${_orvane_root}/src/render/TextWrap.cpp)
set(ORVANE_PORTABLE_DISTRIBUTION_SOURCES
  ${_orvane_root}/src/distribution/CommandLanguage.cpp)
set(ORVANE_PORTABLE_PLAYER_SOURCES
  ${_orvane_root}/player/JsonTextWriter.cpp
  ${_orvane_root}/player/Launch.cpp
  ${_orvane_root}/player/MenuCanvas.cpp
  ${_orvane_root}/player/Placement.cpp
  ${_orvane_root}/player/SelfTest.cpp
  ${_orvane_root}/player/Session.cpp
  ${_orvane_root}/player/ShownMenu.cpp)
set(ORVANE_PORTABLE_SOURCES
  ${ORVANE_PORTABLE_PLATFORM_SOURCES}
  ${ORVANE_PORTABLE_DOCUMENT_SOURCES}
  ${ORVANE_PORTABLE_RENDER_SOURCES}
  ${ORVANE_PORTABLE_DISTRIBUTION_SOURCES})
# Configured with the version by each build.
set(ORVANE_VERSION_SOURCE_IN ${_orvane_root}/src/platform/Version.cpp.in)
