# Run by cpack after it made the packages. CPack's Debian generator adds
# postinst and postrm scripts that run ldconfig whenever a library lies in a
# folder below /usr/lib; the package's libraries are private to the program
# (lib/brimvale/, found by the program itself), so the .deb is rebuilt without
# those scripts.
foreach(package ${CPACK_PACKAGE_FILES})
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  set(tree ${package}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb -R ${package} ${tree} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dpkg-deb could not unpack ${package}")
  endif()
  # Only scripts that do nothing but that call go.
  foreach(script postinst postrm)
    if(NOT EXISTS ${tree}/DEBIAN/${script})
      continue()
    endif()
    file(READ ${tree}/DEBIAN/${script} text)
    string(REGEX REPLACE "[ \t\n]" "" flat "${text}")
    if(flat MATCHES "^#!/bin/shset-eif\\[\"\\$1\"=\"(configure|remove)\"\\];thenldconfigfi$")
      file(REMOVE ${tree}/DEBIAN/${script})
    else()
      message(FATAL_ERROR "${package}: ${script} does more than run ldconfig:\n${text}")
    endif()
  endforeach()
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip -b ${tree} ${package} OUTPUT_QUIET RESULT_VARIABLE failed)
  file(REMOVE_RECURSE ${tree})
  if(failed)
    message(FATAL_ERROR "dpkg-deb could not pack ${package}")
  endif()
endforeach()
