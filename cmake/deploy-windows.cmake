# Lays out what a Windows program folder needs beside the executable, run by
# CMake in script mode after each link of the program:
#
#   cmake -DEXE=<folder>/pinakos.exe -DQT_PREFIX=<Qt for Windows>
#         -DSEARCH=<folders of the MinGW runtime DLLs, ;-separated>
#         -DOBJDUMP=<x86_64-w64-mingw32-objdump> -P deploy-windows.cmake
#
# The Qt plugins the program loads (the Windows platform and style, the image
# readers of the photo and the artwork, the SVG icon engine), then every DLL
# the executable and those plugins import, followed through the DLLs' own
# imports, copied from the Qt prefix or the MinGW runtime folders. DLLs found
# in none of them must be Windows' own (listed below); any other is an error,
# so a program folder that would not start on a clean Windows is never made.

cmake_minimum_required(VERSION 3.22)

set(plugins
  platforms/qwindows.dll
  styles/qwindowsvistastyle.dll
  imageformats/qjpeg.dll imageformats/qgif.dll imageformats/qico.dll imageformats/qsvg.dll
  iconengines/qsvgicon.dll)

# Windows' own DLLs (and the API sets that resolve to them).
set(system_dlls
  advapi32 authz comctl32 comdlg32 crypt32 d3d11 d3d12 d3d9 dcomp dwmapi dwrite dxgi gdi32 imm32
  kernel32 mpr msvcrt netapi32 ntdll ole32 oleaut32 opengl32 setupapi shcore shell32 shlwapi user32
  userenv uxtheme version winmm winspool ws2_32 wtsapi32 d2d1 dxva2 bcrypt rpcrt4 secur32 iphlpapi
  dnsapi normaliz wldap32 hid cfgmgr32 usp10 propsys)

get_filename_component(dest "${EXE}" DIRECTORY)
set(search_dirs "${QT_PREFIX}/bin" ${SEARCH})

set(queue "${EXE}")
foreach(p IN LISTS plugins)
  get_filename_component(sub "${p}" DIRECTORY)
  if(NOT EXISTS "${QT_PREFIX}/plugins/${p}")
    message(FATAL_ERROR "deploy-windows: ${QT_PREFIX}/plugins/${p} is missing")
  endif()
  file(COPY "${QT_PREFIX}/plugins/${p}" DESTINATION "${dest}/${sub}")
  list(APPEND queue "${dest}/${p}")
endforeach()

set(done "")
while(queue)
  list(POP_FRONT queue binary)
  execute_process(COMMAND "${OBJDUMP}" -p "${binary}" OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "deploy-windows: ${OBJDUMP} cannot read ${binary}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
  foreach(line IN LISTS imports)
    string(REGEX REPLACE "DLL Name: *" "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" lower)
    if(lower IN_LIST done)
      continue()
    endif()
    list(APPEND done "${lower}")
    string(REGEX REPLACE "\\.(dll|drv)$" "" stem "${lower}")
    if(stem IN_LIST system_dlls OR lower MATCHES "^api-ms-win-" OR lower MATCHES "^ext-ms-")
      continue()
    endif()
    set(found "")
    foreach(dir IN LISTS search_dirs)
      if(EXISTS "${dir}/${dll}")
        set(found "${dir}/${dll}")
        break()
      endif()
    endforeach()
    if(NOT found)
      message(FATAL_ERROR "deploy-windows: ${binary} needs ${dll}, found in none of ${search_dirs}")
    endif()
    file(COPY "${found}" DESTINATION "${dest}")
    list(APPEND queue "${dest}/${dll}")
  endforeach()
endwhile()
