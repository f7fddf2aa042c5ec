# Where the plug-in and slewmeter are installed, and the packages users get.
# The version is the project's (the top-level project() call), set only there.

# A plain `cmake --install` is a user install (prefix ~/.local): the plug-ins go
# to ~/.vst, ~/.clap and ~/.lv2, where hosts look in the home folder. With any
# other prefix, given when configuring or with `cmake --install --prefix` (e.g.
# /usr, as the Debian package does), they go to <prefix>/lib/vst, lib/clap and
# lib/lv2. See install_plugin() below.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT AND NOT WIN32 AND DEFINED ENV{HOME})
  set(CMAKE_INSTALL_PREFIX "$ENV{HOME}/.local" CACHE PATH "Install prefix" FORCE)
endif()

# A Linux plug-in library: self-contained (static C++ runtime, released when the
# host unloads it), exporting only what `exports_map` lists.
function(linux_plugin_library target exports_map)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/platform/linux/release_runtime_pool.cpp)
  target_link_options(${target} PRIVATE
    -static-libstdc++ -static-libgcc
    -Wl,--version-script=${exports_map}
    -Wl,--no-undefined)
  set_target_properties(${target} PROPERTIES LINK_DEPENDS ${exports_map})
endfunction()

# A plug-in file goes to ~/.<kind> for a user install (~/.vst, ~/.clap), else
# <prefix>/lib/<kind>. The folder is chosen when installing, since the prefix
# may change then.
function(install_plugin target kind)
  install(CODE "
    if(CMAKE_INSTALL_PREFIX STREQUAL \"\$ENV{HOME}/.local\")
      set(plugin_dir \"\$ENV{HOME}/.${kind}\")
    else()
      set(plugin_dir \"\${CMAKE_INSTALL_PREFIX}/lib/${kind}\")
    endif()
    file(INSTALL \"$<TARGET_FILE:${target}>\" DESTINATION \"\${plugin_dir}\")
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\"
                      \"\$ENV{DESTDIR}\${plugin_dir}/$<TARGET_FILE_NAME:${target}>\")
    endif()
  ")
endfunction()

# The LV2 bundle goes to ~/.lv2 for a user install, else <prefix>/lib/lv2.
function(install_lv2_bundle bundle_dir)
  get_filename_component(bundle_name ${bundle_dir} NAME)
  set(files "")
  foreach(target IN LISTS ARGN)
    list(APPEND files "$<TARGET_FILE:${target}>")
  endforeach()
  install(CODE "
    if(CMAKE_INSTALL_PREFIX STREQUAL \"\$ENV{HOME}/.local\")
      set(lv2_dir \"\$ENV{HOME}/.lv2/${bundle_name}\")
    else()
      set(lv2_dir \"\${CMAKE_INSTALL_PREFIX}/lib/lv2/${bundle_name}\")
    endif()
    file(GLOB descriptions \"${bundle_dir}/*.ttl\")
    file(INSTALL \${descriptions} DESTINATION \"\${lv2_dir}\")
    file(INSTALL ${files} DESTINATION \"\${lv2_dir}\")
    if(CMAKE_INSTALL_DO_STRIP)
      foreach(binary ${files})
        get_filename_component(name \"\${binary}\" NAME)
        execute_process(COMMAND \"${CMAKE_STRIP}\" \"\$ENV{DESTDIR}\${lv2_dir}/\${name}\")
      endforeach()
    endif()
  ")
endfunction()

configure_file(${CMAKE_SOURCE_DIR}/cmake/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h)

set(CPACK_PACKAGE_NAME "pemberlyquist-ravuvi-rozevezav")
set(CPACK_PACKAGE_VENDOR "KORVANDEL")
set(CPACK_PACKAGE_CONTACT "KORVANDEL <support@korvandel.audio>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Two-channel slew-rate meter (VST 2.4, CLAP and LV2 plug-in) and slewmeter")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES TRUE)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  # The licence, and the notices of the runtime code linked into the DLL.
  install(FILES ${CPACK_RESOURCE_FILE_LICENSE} DESTINATION . RENAME LICENSE.txt)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/NOTICES-windows.txt DESTINATION .
          RENAME THIRD-PARTY-NOTICES.txt)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION sound)
  # The font the editor's texts ask for as "Arial" (without it the labels draw
  # nothing); the libraries the binaries link are added by the script below.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "The plug-in passes audio through untouched and graphs, per channel, the\nlargest step between consecutive samples against two reference ceilings.\nHosts load it as VST 2.4, CLAP or LV2; slewmeter meters audio files with it\nand draws their timeline.")
  # The copyright file, changelog.gz (from CHANGELOG.md) and the dependencies.
  set(CPACK_PROJECT_CHANGELOG ${CMAKE_SOURCE_DIR}/CHANGELOG.md)
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/debian_package.cmake)
endif()
include(CPack)
