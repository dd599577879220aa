# What `cmake --install` puts where: the two programs, the desktop entry, the
# icon theme's files, the AppStream metadata, the help page, the manual pages,
# bash completion and the Debian copyright file.
include(GNUInstallDirs)
set(ORVANE_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/orvane)
set(ORVANE_DATA ${PROJECT_SOURCE_DIR}/data)

# F1 in an installed program looks for the help page this far from the
# program's own folder.
file(RELATIVE_PATH _doc_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${ORVANE_DOC_DIR})
target_compile_definitions(orvane_job_control PRIVATE ORVANE_DOC_FROM_BIN="${_doc_from_bin}")

install(TARGETS orvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ORVANE_DATA}/orvane-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions
        RENAME orvane-cli)
install(FILES ${ORVANE_DATA}/copyright DESTINATION ${ORVANE_DOC_DIR})

# Manual pages and the changelog go compressed, as Debian has them.
set(_compressed)
foreach(file docs/man/orvane-cli.1 docs/man/orvane.1 data/changelog)
  get_filename_component(_name ${file} NAME)
  set(_gz ${CMAKE_CURRENT_BINARY_DIR}/compressed/${_name}.gz)
  add_custom_command(OUTPUT ${_gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/compressed
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/${file} > ${_gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/${file}
    VERBATIM)
  list(APPEND _compressed ${_gz})
endforeach()
add_custom_target(orvane_compressed_docs ALL DEPENDS ${_compressed})
set(_man_dir ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/compressed/orvane-cli.1.gz DESTINATION ${_man_dir})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/compressed/changelog.gz DESTINATION ${ORVANE_DOC_DIR})

if(ORVANE_BUILD_GUI)
  add_subdirectory(tools/icons)
  install(TARGETS orvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/docs/orvane.htm DESTINATION ${ORVANE_DOC_DIR})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/compressed/orvane.1.gz DESTINATION ${_man_dir})
  install(FILES ${ORVANE_DATA}/org.example.Orvane.desktop
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES ${ORVANE_DATA}/org.example.Orvane.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
  install(DIRECTORY ${ORVANE_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
endif()
