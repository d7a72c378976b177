# The program's icon as PNGs rendered from packaging/orvane.svg into
# <build>/icons/<size>/orvane.png; sets `out_var` to the files and adds the
# target orvane_icons that makes them. The window carries them as resources.
function(orvane_render_icons out_var)
  find_program(RSVG_CONVERT rsvg-convert REQUIRED)
  set(icon_svg ${PROJECT_SOURCE_DIR}/packaging/orvane.svg)
  set(icon_pngs)
  foreach(size ${ARGN})
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/orvane.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory icons/${size}
      COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_svg}
      DEPENDS ${icon_svg} VERBATIM)
    list(APPEND icon_pngs ${png})
  endforeach()
  add_custom_target(orvane_icons ALL DEPENDS ${icon_pngs})
  if(TARGET orvane)
    qt_add_resources(orvane orvane_icons PREFIX /icons BASE ${CMAKE_CURRENT_BINARY_DIR}/icons FILES ${icon_pngs})
  endif()
  set(${out_var} ${icon_pngs} PARENT_SCOPE)
endfunction()
