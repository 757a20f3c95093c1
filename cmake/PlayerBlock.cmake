# The menu player and the player block.
#
# The player is a Windows program, player/CMakeLists.txt, cross-compiled with
# mingw-w64 as a project of its own (the main project's toolchain is the
# host's). The editor carries it
# at the end of its executable as "ApEX" + player.exe + the marker's offset
# (32-bit little-endian); the autorun builder copies it out from there.
#
#   orvane_append_player_block(<target>)  appends the block to an executable
#                                        after each link of <target>
#   orvane_embed_player(<target>)        Windows build: the player as an RCDATA
#                                        resource of <target> instead
#   ORVANE_PLAYER_EXE                    path of player.exe, empty without mingw
#   global property ORVANE_PLAYER_BLOCK  TRUE when the block can be built
#
# Without the cross compiler the editor still builds, without a block; the
# builder then reports that the player is missing.

set(ORVANE_PLAYER_DIR ${PROJECT_SOURCE_DIR}/player)
include(${PROJECT_SOURCE_DIR}/cmake/PortableSources.cmake)

find_program(ORVANE_MINGW_CXX x86_64-w64-mingw32-g++-win32)
find_program(ORVANE_MINGW_RC x86_64-w64-mingw32-windres)
set(ORVANE_PLAYER_EXE "")
if(ORVANE_MINGW_CXX AND ORVANE_MINGW_RC)
  execute_process(COMMAND ${ORVANE_MINGW_CXX} -print-file-name=libz.a
                  OUTPUT_VARIABLE _orvane_mingw_zlib OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${_orvane_mingw_zlib}")
    message(STATUS "Menu player: zlib for mingw-w64 not found (libz-mingw-w64-dev); no player block")
    unset(ORVANE_MINGW_CXX CACHE)
  endif()
else()
  message(STATUS "Menu player: mingw-w64 not found (g++-mingw-w64-x86-64-win32); no player block")
  unset(ORVANE_MINGW_CXX CACHE)
endif()

# The block rides on the editor; without the editor there is nothing to carry
# it. The Windows programs carry the player as a resource.
if(ORVANE_MINGW_CXX AND NOT ORVANE_UI AND NOT WIN32)
  message(STATUS "Menu player: not built without the editor (ORVANE_UI=OFF)")
  unset(ORVANE_MINGW_CXX CACHE)
endif()

if(ORVANE_MINGW_CXX)
  include(ExternalProject)
  # The linker cannot mark the player to run from the swap file; this step
  # does, after each link. It runs here, so it is built with the host's
  # compiler even when this build targets Windows.
  set(_marker_out ${CMAKE_BINARY_DIR}/player-marker)
  set(_marker ${_marker_out}/orvane-mark-player)
  ExternalProject_Add(player-marker
    SOURCE_DIR ${ORVANE_PLAYER_DIR}/marker
    BINARY_DIR ${_marker_out}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${_marker_out}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${_marker}
    INSTALL_COMMAND "")
  # The player is a project of its own, configured with the mingw-w64
  # toolchain; it compiles the portable sources again for Windows.
  set(_player_out ${CMAKE_BINARY_DIR}/player)
  set(ORVANE_PLAYER_EXE ${_player_out}/player.exe)
  set(ORVANE_ACCESSIBILITY_PROBE ${_player_out}/accessibility-probe.exe)
  ExternalProject_Add(autorun-player
    SOURCE_DIR ${ORVANE_PLAYER_DIR}
    BINARY_DIR ${_player_out}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${_player_out}
      -DORVANE_VERSION_MAJOR=${ORVANE_VERSION_MAJOR}
      -DORVANE_VERSION_MINOR=${ORVANE_VERSION_MINOR}
      -DORVANE_VERSION_PATCH=${ORVANE_VERSION_PATCH}
      -DORVANE_VERSION_TWEAK=${ORVANE_VERSION_TWEAK}
      -DORVANE_MARK_PLAYER=${_marker}
    DEPENDS player-marker
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${ORVANE_PLAYER_EXE} ${ORVANE_ACCESSIBILITY_PROBE}
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
  set_property(GLOBAL PROPERTY ORVANE_PLAYER_BLOCK TRUE)
else()
  set_property(GLOBAL PROPERTY ORVANE_PLAYER_BLOCK FALSE)
endif()
set_property(GLOBAL PROPERTY ORVANE_PLAYER_EXE "${ORVANE_PLAYER_EXE}")

# The host side: the step that appends the block.
if(NOT WIN32)
  add_executable(orvane-append-player-block
    ${ORVANE_PLAYER_DIR}/AppendPlayerBlock.cpp ${ORVANE_PLAYER_DIR}/PlayerBlock.cpp)
  target_include_directories(orvane-append-player-block PRIVATE ${PROJECT_SOURCE_DIR})
endif()

# On Windows the player is a resource of the program (RCDATA), not bytes after
# its end, so a signed program stays valid; the autorun builder reads it there.
function(orvane_embed_player target)
  if(NOT ORVANE_PLAYER_EXE)
    message(STATUS "Menu player: ${target} is built without the player")
    return()
  endif()
  set(_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-player.rc)
  file(CONFIGURE OUTPUT ${_rc} CONTENT "#include \"distribution/PlayerResource.h\"
ORVANE_PLAYER_RESOURCE RCDATA \"${ORVANE_PLAYER_EXE}\"
")
  target_sources(${target} PRIVATE ${_rc})
  set_property(SOURCE ${_rc} APPEND PROPERTY INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/src)
  set_property(SOURCE ${_rc} APPEND PROPERTY OBJECT_DEPENDS ${ORVANE_PLAYER_EXE})
  add_dependencies(${target} autorun-player)
endfunction()

# Called on an executable target. From the directory that made the target the
# block is appended after each link (a fresh link output gets it exactly
# once); from elsewhere a stamp target appends it whenever the executable is
# newer than the stamp. Appending replaces a block already there.
function(orvane_append_player_block target)
  if(NOT ORVANE_PLAYER_EXE)
    message(STATUS "Menu player: ${target} is built without a player block")
    return()
  endif()
  add_dependencies(${target} autorun-player)
  # A new player relinks the target, which appends the new block.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${ORVANE_PLAYER_EXE})
  set(_append $<TARGET_FILE:orvane-append-player-block> $<TARGET_FILE:${target}> ${ORVANE_PLAYER_EXE})
  get_target_property(_target_dir ${target} SOURCE_DIR)
  if(_target_dir STREQUAL CMAKE_CURRENT_SOURCE_DIR)
    add_dependencies(${target} orvane-append-player-block)
    add_custom_command(TARGET ${target} POST_BUILD COMMAND ${_append}
                       COMMENT "Appending the player block to ${target}" VERBATIM)
  else()
    set(_stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.player-block.stamp)
    add_custom_command(
      OUTPUT ${_stamp}
      COMMAND ${_append}
      COMMAND ${CMAKE_COMMAND} -E touch ${_stamp}
      DEPENDS ${target} orvane-append-player-block ${ORVANE_PLAYER_EXE}
      COMMENT "Appending the player block to ${target}"
      VERBATIM)
    add_custom_target(${target}-player-block ALL DEPENDS ${_stamp})
  endif()
endfunction()

# The player under Wine, driven by a script as a user drives it; needs the
# editor (which carries the player) and Wine, Xvfb, xdotool and ImageMagick.
function(orvane_player_wine_test)
  if(NOT ORVANE_PLAYER_EXE OR NOT TARGET orvane-graphic)
    return()
  endif()
  find_program(ORVANE_WINE NAMES wine64 wine PATHS /usr/lib/wine)
  find_program(ORVANE_XVFB Xvfb)
  find_program(ORVANE_XDOTOOL xdotool)
  find_program(ORVANE_IMPORT import)
  # Debian's own Python, which has Pillow.
  find_program(ORVANE_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
  if(NOT ORVANE_WINE OR NOT ORVANE_XVFB OR NOT ORVANE_XDOTOOL OR NOT ORVANE_IMPORT OR NOT ORVANE_SYSTEM_PYTHON)
    message(STATUS "Menu player: Wine, Xvfb, xdotool or ImageMagick missing; no Wine test")
    return()
  endif()
  get_filename_component(_player_out ${ORVANE_PLAYER_EXE} DIRECTORY)
  add_test(NAME player_under_wine
           COMMAND ${ORVANE_SYSTEM_PYTHON} ${ORVANE_PLAYER_DIR}/tests/wine/wine_player_test.py
                   ${CMAKE_RUNTIME_OUTPUT_DIRECTORY} ${_player_out}/accessibility-probe.exe)
  set_tests_properties(player_under_wine PROPERTIES TIMEOUT 180 LABELS wine)
endfunction()
