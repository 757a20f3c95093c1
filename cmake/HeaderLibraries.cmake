# The header-only libraries from Debian's packages: nlohmann-json (the JSON of
# the tools and the import) and CLI11 (orvane-menu's arguments).
#
# Their targets name the host's /usr/include. A cross build (make windows)
# must not search there, where the host's C library headers would shadow
# mingw-w64's, so it points the targets at a copy of the libraries' own
# headers instead.
find_package(nlohmann_json 3.10 REQUIRED)
find_package(CLI11 REQUIRED)

if(CMAKE_CROSSCOMPILING)
  set(_headers ${CMAKE_BINARY_DIR}/host-headers)
  foreach(_entry IN ITEMS "nlohmann_json::nlohmann_json|nlohmann" "CLI11::CLI11|CLI")
    string(REPLACE "|" ";" _entry "${_entry}")
    list(GET _entry 0 _target)
    list(GET _entry 1 _folder)
    find_path(_found_${_folder} ${_folder} NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    file(COPY ${_found_${_folder}}/${_folder} DESTINATION ${_headers})
    set_property(TARGET ${_target} PROPERTY INTERFACE_INCLUDE_DIRECTORIES ${_headers})
  endforeach()
endif()
