# The menu player and the player block.
#
# The player is a Windows program, cross-compiled with mingw-w64 by custom
# commands (the project's own toolchain is the host's). The editor carries it
# at the end of its executable as "ApEX" + player.exe + the marker's offset
# (32-bit little-endian); the autorun builder copies it out from there.
#
#   orvane_append_player_block(<target>)  appends the block to an executable
#                                        after each link of <target>
#   ORVANE_PLAYER_EXE                    path of player.exe, empty without mingw
#   global property ORVANE_PLAYER_BLOCK  TRUE when the block can be built
#
# Without the cross compiler the editor still builds, without a block; the
# builder then reports that the player is missing.

set(ORVANE_PLAYER_DIR ${PROJECT_SOURCE_DIR}/player)
set(ORVANE_PLAYER_PORTABLE_SOURCES
  ${ORVANE_PLAYER_DIR}/PackageReader.cpp
  ${ORVANE_PLAYER_DIR}/MenuReader.cpp
  ${ORVANE_PLAYER_DIR}/Placement.cpp
)

find_program(ORVANE_MINGW_CXX x86_64-w64-mingw32-g++-posix)
set(ORVANE_PLAYER_EXE "")
if(ORVANE_MINGW_CXX)
  execute_process(COMMAND ${ORVANE_MINGW_CXX} -print-file-name=libz.a
                  OUTPUT_VARIABLE _orvane_mingw_zlib OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${_orvane_mingw_zlib}")
    message(STATUS "Menu player: zlib for mingw-w64 not found (libz-mingw-w64-dev); no player block")
    unset(ORVANE_MINGW_CXX CACHE)
  endif()
else()
  message(STATUS "Menu player: x86_64-w64-mingw32-g++-posix not found (g++-mingw-w64-x86-64-posix); no player block")
endif()

if(ORVANE_MINGW_CXX)
  set(_player_out ${CMAKE_BINARY_DIR}/player)
  set(ORVANE_PLAYER_EXE ${_player_out}/player.exe)
  set(_player_flags -std=c++20 -O2 -Wall -Wextra -Wpedantic -municode
      -ffunction-sections -fdata-sections -I${PROJECT_SOURCE_DIR}/src)
  # Static runtime: the player must start on a bare Windows from the disc.
  set(_player_link_flags -mwindows -municode -static -static-libgcc -static-libstdc++ -s -Wl,--gc-sections)

  set(_player_objects "")
  foreach(_player_source IN LISTS ORVANE_PLAYER_PORTABLE_SOURCES ITEMS ${ORVANE_PLAYER_DIR}/PlayerMain.cpp)
    get_filename_component(_player_name ${_player_source} NAME_WE)
    set(_player_object ${_player_out}/${_player_name}.obj)
    add_custom_command(
      OUTPUT ${_player_object}
      COMMAND ${ORVANE_MINGW_CXX} ${_player_flags} -MD -MF ${_player_object}.d -c ${_player_source} -o ${_player_object}
      DEPENDS ${_player_source}
      DEPFILE ${_player_object}.d
      COMMENT "Compiling menu player ${_player_name}.cpp for Windows"
      VERBATIM)
    list(APPEND _player_objects ${_player_object})
  endforeach()
  add_custom_command(
    OUTPUT ${ORVANE_PLAYER_EXE}
    COMMAND ${ORVANE_MINGW_CXX} ${_player_objects} -o ${ORVANE_PLAYER_EXE} ${_player_link_flags} -lz
    DEPENDS ${_player_objects}
    COMMENT "Linking menu player player.exe"
    VERBATIM)
  add_custom_target(autorun-player ALL DEPENDS ${ORVANE_PLAYER_EXE})
  set_property(GLOBAL PROPERTY ORVANE_PLAYER_BLOCK TRUE)
else()
  set_property(GLOBAL PROPERTY ORVANE_PLAYER_BLOCK FALSE)
endif()
set_property(GLOBAL PROPERTY ORVANE_PLAYER_EXE "${ORVANE_PLAYER_EXE}")

# The host side: the step that appends the block, and the readers' tests.
add_library(orvane_player_host STATIC
  ${ORVANE_PLAYER_PORTABLE_SOURCES}
  ${ORVANE_PLAYER_DIR}/PlayerBlock.cpp
)
target_include_directories(orvane_player_host PUBLIC ${ORVANE_PLAYER_DIR} ${PROJECT_SOURCE_DIR}/src)
find_package(ZLIB REQUIRED)
target_link_libraries(orvane_player_host PUBLIC ZLIB::ZLIB)

add_executable(orvane-append-player-block ${ORVANE_PLAYER_DIR}/AppendPlayerBlock.cpp)
target_link_libraries(orvane-append-player-block PRIVATE orvane_player_host)

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

include(GoogleTest)
file(GLOB _orvane_player_tests CONFIGURE_DEPENDS ${ORVANE_PLAYER_DIR}/tests/*.cpp)
add_executable(orvane_player_tests ${_orvane_player_tests})
target_link_libraries(orvane_player_tests PRIVATE orvane_player_host orvane_document GTest::gtest GTest::gtest_main)
gtest_discover_tests(orvane_player_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS player)
