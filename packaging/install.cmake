# Installation and the Debian package: the two programs, the man page of `pelko` (written from its
# --help at build time), and for the editor its desktop entry, icons and project file types.
# `cmake --install BUILD --prefix DIR` installs them; `make package` runs CPack (DEB generator).
# Sanitizer and fuzzing builds are never installed.
if(PELKO_SANITIZE OR PELKO_FUZZ)
  return()
endif()

include(GNUInstallDirs)
set(PELKO_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS pelko_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(PELKO_MAN_PAGE ${CMAKE_BINARY_DIR}/man/pelko.1.gz)
add_custom_command(
  OUTPUT ${PELKO_MAN_PAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
  COMMAND Python3::Interpreter ${PELKO_PACKAGING}/help_to_man.py $<TARGET_FILE:pelko_cli>
          "PelkoEditor ${PROJECT_VERSION}" ${PELKO_MAN_PAGE}
  DEPENDS pelko_cli ${PELKO_PACKAGING}/help_to_man.py
  COMMENT "Writing the man page of pelko from its help"
  VERBATIM)
add_custom_target(pelko_man ALL DEPENDS ${PELKO_MAN_PAGE})
install(FILES ${PELKO_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(PELKO_UI)
  install(TARGETS pelko_editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PELKO_PACKAGING}/pelko-editor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PELKO_PACKAGING}/pelko-editor.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

  # The icon: the SVG drawing, and PNG renders of it for the hicolor sizes. The renders are also
  # compiled into the editor (":/icons/pelko-editor-SIZE.png") as its window icon.
  find_program(PELKO_RSVG_CONVERT rsvg-convert REQUIRED)
  set(icon_svg ${PELKO_PACKAGING}/pelko-editor.svg)
  set(icon_pngs)
  foreach(size 16 24 32 48 64 128 256)
    set(dir ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps)
    set(png ${dir}/pelko-editor.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${PELKO_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${icon_svg}
      DEPENDS ${icon_svg}
      VERBATIM)
    set_source_files_properties(${png} PROPERTIES QT_RESOURCE_ALIAS pelko-editor-${size}.png)
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    list(APPEND icon_pngs ${png})
  endforeach()
  install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  qt_add_resources(pelko_editor pelko_icons PREFIX /icons FILES ${icon_pngs})

  # Installed straight into a prefix (not staged with DESTDIR for a package), the prefix's MIME
  # database and desktop-entry cache are brought up to date, so that the file types and "open with"
  # work at once. A package leaves that to the system's triggers.
  install(CODE "set(PELKO_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
  install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "")
      if(NOT IS_ABSOLUTE "${PELKO_DATADIR}")
        set(PELKO_DATADIR "${CMAKE_INSTALL_PREFIX}/${PELKO_DATADIR}")
      endif()
      foreach(step "update-mime-database;mime" "update-desktop-database;applications")
        list(GET step 0 tool)
        list(GET step 1 dir)
        find_program(PELKO_UPDATE_TOOL_${tool} ${tool})
        if(PELKO_UPDATE_TOOL_${tool} AND IS_DIRECTORY "${PELKO_DATADIR}/${dir}")
          message(STATUS "Updating: ${PELKO_DATADIR}/${dir}")
          execute_process(COMMAND ${PELKO_UPDATE_TOOL_${tool}} "${PELKO_DATADIR}/${dir}"
                          OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE result)
          if(NOT result EQUAL 0)
            message(WARNING "${tool} ${PELKO_DATADIR}/${dir} failed (${result})")
          endif()
        endif()
      endforeach()
    endif()
  ]])
endif()

# The Debian package (make package). Its dependencies come from the libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelko-editor)
set(CPACK_PACKAGE_VENDOR PelkoEditor)
set(CPACK_PACKAGE_CONTACT "PelkoEditor maintainers" CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for RPG Maker battle animations")
# The long description, one paragraph in lines of at most 79 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "PelkoEditor edits the battle animations of RPG Maker 2000, XP, VX, VX Ace"
  "and MV: pictures split into patterns, frames of cells placed with position,"
  "scale, angle, opacity, blending and colour tone, and timed sound effects and"
  "flashes. Animations are saved as binary or text projects, exchanged with the"
  "RPG Maker editors through the clipboard and exported as PNG sheets and"
  "animated GIF. The package holds the editor (pelko-editor) and the"
  "command-line tool (pelko).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
