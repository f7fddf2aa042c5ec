# Run by CPack once the Debian package's files are staged, before it builds the
# package: adds what Debian asks of every package (the copyright file and the
# changelog), the notes for its checker, and the dependencies.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${root}/share/doc/${CPACK_PACKAGE_NAME}")
set(overrides "${root}/share/lintian/overrides")
file(MAKE_DIRECTORY "${doc}" "${overrides}")

# The copyright file in Debian's machine-readable format, made from LICENSE so
# that the two say the same.
file(READ "${CPACK_RESOURCE_FILE_LICENSE}" licence)
if(NOT licence MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(Permission is hereby granted.*[^\n])\n*$")
  message(FATAL_ERROR "${CPACK_RESOURCE_FILE_LICENSE} is not the Expat licence text")
endif()
set(holder "${CMAKE_MATCH_1}")
string(REPLACE "\n\n" "\n.\n" licence_body "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " licence_body "${licence_body}")
file(WRITE "${doc}/copyright"
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${CPACK_PACKAGE_NAME}
Upstream-Contact: ${CPACK_PACKAGE_CONTACT}
Comment: The plug-in carries the GNU C++ runtime (libstdc++ and libgcc), linked
 statically. It is licensed GPL-3+ with the GCC Runtime Library Exception 3.1,
 which allows the result to be distributed under terms of one's choice; see
 /usr/share/doc/libstdc++6/copyright.

Files: *
Copyright: ${holder}
License: Expat
 ${licence_body}
")

# changelog.gz from CHANGELOG.md, compressed as Debian expects: at the highest
# level and without a name or time stamp, so that a rebuild is identical.
execute_process(
  COMMAND awk -v package=${CPACK_PACKAGE_NAME} -v version=${CPACK_PACKAGE_VERSION}
          "-v" "maintainer=${CPACK_PACKAGE_CONTACT}"
          -f ${CMAKE_CURRENT_LIST_DIR}/changelog_to_debian.awk ${CPACK_PROJECT_CHANGELOG}
  COMMAND gzip -9 -n
  OUTPUT_FILE "${doc}/changelog.gz"
  RESULTS_VARIABLE results)
if(NOT results STREQUAL "0;0")
  message(FATAL_ERROR "cannot make changelog.gz from ${CPACK_PROJECT_CHANGELOG}")
endif()

file(COPY_FILE "${CMAKE_CURRENT_LIST_DIR}/lintian-overrides" "${overrides}/${CPACK_PACKAGE_NAME}")
file(CHMOD "${doc}/copyright" "${doc}/changelog.gz" "${overrides}/${CPACK_PACKAGE_NAME}"
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# The libraries the programs link, as dpkg-shlibdeps finds them. CPack's own
# pass would add ldconfig maintainer scripts too, because the plug-ins lie
# under /usr/lib; but they are no shared libraries for the loader to find, and
# ldconfig never reads its folder.
file(GLOB binaries "${root}/bin/*" "${root}/lib/vst/*" "${root}/lib/clap/*" "${root}/lib/lv2/*/*.so")
# It wants a debian/control beside it, and a DEBIAN folder above the binaries
# to know they are staged for a package.
set(staging "${CPACK_TEMPORARY_DIRECTORY}")
file(MAKE_DIRECTORY "${staging}/debian" "${staging}/DEBIAN")
file(TOUCH "${staging}/debian/control")
execute_process(COMMAND dpkg-shlibdeps -O ${binaries}
  WORKING_DIRECTORY "${staging}"
  OUTPUT_VARIABLE shlibs
  ERROR_VARIABLE shlibs_errors
  RESULT_VARIABLE result)
file(REMOVE_RECURSE "${staging}/debian" "${staging}/DEBIAN")
if(NOT result EQUAL 0 OR NOT shlibs MATCHES "shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "dpkg-shlibdeps failed on ${binaries}:\n${shlibs_errors}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
