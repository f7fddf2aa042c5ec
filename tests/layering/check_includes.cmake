# The layering rule, checked over the #include lines of the shipped code:
#   cmake -DSOURCE_DIR=<repository> -P check_includes.cmake
# docs/ARCHITECTURE.md explains each edge and each crossing below; change them
# together.
cmake_minimum_required(VERSION 3.25)

# Which folders a folder's files may include besides their own folder.
set(layers
  "platform:"
  "platform/linux:platform"
  "platform/windows:platform"
  "core:"
  "editor/drawing:platform core"
  "editor/drawing/cairo:editor/drawing"
  "editor/drawing/gdiplus:editor/drawing platform platform/windows"
  "editor/toolkit:editor/drawing"
  "editor/toolkit/x11:editor/toolkit editor/drawing editor/drawing/cairo platform core"
  "editor/toolkit/win32:editor/toolkit editor/drawing editor/drawing/gdiplus platform platform/windows core"
  "editor:editor/toolkit editor/drawing core platform"
  "runtime:core platform"
  "effect:runtime core"
  "vst2:core"
  "vst2/editor:vst2 editor editor/toolkit editor/drawing core"
  "vst2/plugin:vst2 vst2/editor effect runtime core editor/drawing"
  "lv2:effect runtime core"
  "lv2/gui:lv2 editor editor/toolkit editor/drawing effect runtime core platform"
  "clap:effect runtime core"
  "clap/editor:clap editor editor/toolkit editor/drawing effect core"
  "clap/plugin:clap clap/editor editor/drawing effect runtime core"
  "tools/loader:vst2"
  "tools/slewmeter:vst2/plugin vst2 effect editor editor/drawing core"
)

# The few files that cross the rule on purpose: "file:included header".
set(crossings
  # The mouse hooks carry the toolkit's button bits: a header of constants only.
  "runtime/mouse.cpp:editor/toolkit/buttons.h"
  # Family names compare as the script's strings do.
  "editor/drawing/font_cache.cpp:runtime/ascii.h"
)

# System headers of one platform, and the places that may include them.
set(linux_headers "^(X11/|cairo|fontconfig/|ft2build|freetype|dlfcn\\.h)")
set(linux_places "^(editor/drawing/cairo|editor/toolkit/x11|platform/linux)/|_posix\\.cpp$")
set(windows_headers "^(windows\\.h|winuser|wingdi|gdiplus|objidl|ole2|oleidl|shellapi|shlobj|shlwapi)")
set(windows_places "^(editor/drawing/gdiplus|editor/toolkit/win32|platform/windows)/|_win32\\.cpp$")
# The LV2 standard's headers, only in the LV2 adapter's folders.
set(lv2_headers "^lv2/")
set(lv2_places "^lv2/")

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<repository> -P check_includes.cmake")
endif()

set(folders "")
foreach(entry IN LISTS layers)
  string(FIND "${entry}" ":" colon)
  string(SUBSTRING "${entry}" 0 ${colon} folder)
  math(EXPR after "${colon} + 1")
  string(SUBSTRING "${entry}" ${after} -1 allowed)
  separate_arguments(allowed)
  set(allowed_${folder} ${allowed})
  list(APPEND folders ${folder})
endforeach()

set(faults "")
set(checked 0)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/core/*.h ${SOURCE_DIR}/core/*.cpp
  ${SOURCE_DIR}/editor/*.h ${SOURCE_DIR}/editor/*.cpp ${SOURCE_DIR}/vst2/*.h ${SOURCE_DIR}/vst2/*.cpp
  ${SOURCE_DIR}/lv2/*.h ${SOURCE_DIR}/lv2/*.cpp ${SOURCE_DIR}/clap/*.h ${SOURCE_DIR}/clap/*.cpp
  ${SOURCE_DIR}/runtime/*.h ${SOURCE_DIR}/runtime/*.cpp ${SOURCE_DIR}/effect/*.h
  ${SOURCE_DIR}/effect/*.cpp
  ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp ${SOURCE_DIR}/tools/*.h
  ${SOURCE_DIR}/tools/*.cpp)
foreach(source IN LISTS sources)
  get_filename_component(folder ${source} DIRECTORY)
  if(NOT folder IN_LIST folders)
    list(APPEND faults "${source}: its folder has no place in the layering table")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    math(EXPR checked "${checked} + 1")
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" header "${line}")
    if(line MATCHES "<")
      if(header MATCHES "${linux_headers}" AND NOT source MATCHES "${linux_places}")
        list(APPEND faults "${source}: <${header}> belongs to the Linux back ends")
      elseif(header MATCHES "${windows_headers}" AND NOT source MATCHES "${windows_places}")
        list(APPEND faults "${source}: <${header}> belongs to the Windows back ends")
      elseif(header MATCHES "${lv2_headers}" AND NOT source MATCHES "${lv2_places}")
        list(APPEND faults "${source}: <${header}> belongs to the LV2 adapter")
      endif()
      continue()
    endif()
    get_filename_component(target ${header} DIRECTORY)
    # A bare name is a header generated into the build tree.
    if(target STREQUAL "" OR target STREQUAL folder OR target IN_LIST allowed_${folder}
       OR "${source}:${header}" IN_LIST crossings)
      continue()
    endif()
    list(APPEND faults "${source}: ${folder}/ may not include \"${header}\"")
  endforeach()
endforeach()

list(LENGTH sources files)
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "The layering rule is broken:\n  ${text}")
endif()
message(STATUS "${files} files, ${checked} includes: every one follows the layering rule")
