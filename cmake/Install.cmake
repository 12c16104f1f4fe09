# What `cmake --install` puts under the prefix. Nothing here hard-codes the
# prefix: the programs find lib/brimvale/ from their own path, and the SDK's
# pkg-config and CMake files find the prefix from theirs, so an installed tree
# or an unpacked package works from any folder.
include(CMakePackageConfigHelpers)

# Private files of the program, so no multiarch folder.
set(BRIMVALE_INSTALL_LIBRARYDIR lib/brimvale)
set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/brimvale)
file(RELATIVE_PATH library_from_bin /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${BRIMVALE_INSTALL_LIBRARYDIR})
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/foundation/program_folders.cpp
  DIRECTORY ${CMAKE_SOURCE_DIR}/src
  PROPERTIES COMPILE_DEFINITIONS "BRIMVALE_LIBRARY_FROM_BIN=\"${library_from_bin}\"")

install(TARGETS brimvale-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET brimvale)
  install(TARGETS brimvale RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS tessjpg tesspng LIBRARY DESTINATION ${BRIMVALE_INSTALL_LIBRARYDIR})
foreach(entry create_shapes:Create invert_faces:Object select_report:Select)
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 plugin)
  list(GET entry 1 kind)
  if(TARGET ${plugin})
    install(TARGETS ${plugin} LIBRARY DESTINATION ${BRIMVALE_INSTALL_LIBRARYDIR}/Plugins/${kind})
  endif()
endforeach()

# Desktop integration: the entry, the file types, the icon, thumbnails, AppStream.
set(app_id org.brimvale.Brimvale)
set(packaging ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${packaging}/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/brimvale-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${app_id}.xml)
install(FILES ${CMAKE_SOURCE_DIR}/src/shell/icons/brimvale.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${app_id}.svg)
install(FILES ${packaging}/brimvale.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
configure_file(${packaging}/${app_id}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${app_id}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The plug-in SDK: the header, pkg-config and CMake files, the guide and the samples.
install(FILES ${CMAKE_SOURCE_DIR}/include/brimvale/mq_plugin.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/brimvale)
set(sdk_pkgconfig_dir ${CMAKE_INSTALL_DATADIR}/pkgconfig)
set(sdk_cmake_dir ${CMAKE_INSTALL_DATADIR}/cmake/BrimvalePlugin)
file(RELATIVE_PATH BRIMVALE_PC_TO_PREFIX /prefix/${sdk_pkgconfig_dir} /prefix)
file(RELATIVE_PATH BRIMVALE_CMAKE_TO_PREFIX /prefix/${sdk_cmake_dir} /prefix)
string(REGEX REPLACE "/$" "" BRIMVALE_PC_TO_PREFIX ${BRIMVALE_PC_TO_PREFIX})
string(REGEX REPLACE "/$" "" BRIMVALE_CMAKE_TO_PREFIX ${BRIMVALE_CMAKE_TO_PREFIX})
configure_file(${packaging}/sdk/brimvale-plugin.pc.in ${CMAKE_BINARY_DIR}/sdk/brimvale-plugin.pc @ONLY)
configure_file(${packaging}/sdk/BrimvalePluginConfig.cmake.in ${CMAKE_BINARY_DIR}/sdk/BrimvalePluginConfig.cmake @ONLY)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/sdk/BrimvalePluginConfigVersion.cmake
  COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_BINARY_DIR}/sdk/brimvale-plugin.pc DESTINATION ${sdk_pkgconfig_dir})
install(FILES ${CMAKE_BINARY_DIR}/sdk/BrimvalePluginConfig.cmake ${CMAKE_BINARY_DIR}/sdk/BrimvalePluginConfigVersion.cmake
  DESTINATION ${sdk_cmake_dir})
install(FILES ${CMAKE_SOURCE_DIR}/docs/plugins.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/plugins/samples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

# Bash completion for brimvale-cli, where bash-completion loads it on demand.
install(FILES ${packaging}/completion/brimvale-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# The package's own documents: its licence and its changelog, compressed as
# Debian installs changelogs.
install(FILES ${packaging}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
configure_file(${packaging}/debian/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
set(compressed_docs ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/packaging/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Manual pages made from each program's --help and --version.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(man_summary_brimvale-cli "headless tools for Metasequoia models: inspect, export, render, thumbnail")
  set(man_summary_brimvale "viewer for Metasequoia 3D models with POV-Ray and glTF export")
  foreach(program brimvale-cli brimvale)
    if(NOT TARGET ${program})
      continue()
    endif()
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${HELP2MAN} --no-info --no-discard-stderr --version-string ${PROJECT_VERSION}
              --source "Brimvale ${PROJECT_VERSION}"
              --name ${man_summary_${program}} --output ${page}
              $<TARGET_FILE:${program}>
      COMMAND gzip -9nf ${page}
      DEPENDS ${program}
      COMMENT "Writing the manual page ${program}(1)"
      VERBATIM)
    list(APPEND compressed_docs ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
else()
  message(WARNING "help2man not found: the manual pages are not made (Debian: help2man)")
endif()
add_custom_target(brimvale_docs ALL DEPENDS ${compressed_docs})
