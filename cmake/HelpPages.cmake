# Copies the HTML help (pages, style sheet, pictures) into the editor's
# application folder on every build, so an edited page shows at the next F1.
function(orvane_install_help_pages source destination)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*)
  set(outputs "")
  foreach(file IN LISTS files)
    set(out ${destination}/${file})
    get_filename_component(dir ${out} DIRECTORY)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source}/${file} ${out}
      DEPENDS ${source}/${file}
      COMMENT "Help page ${file}"
      VERBATIM)
    list(APPEND outputs ${out})
  endforeach()
  add_custom_target(help-pages ALL DEPENDS ${outputs})
endfunction()
