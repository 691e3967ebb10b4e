# The Windows build (MinGW-w64, usually cross-compiled on Linux against the Qt
# of scripts/build-qt-windows.sh): Wine as the emulator of the build-time
# tools and the tests, the executable's resources and the program folder.

set(PINAKOS_MINGW_RUNTIME_DIRS "" CACHE STRING
  "Folders holding the MinGW runtime DLLs (libstdc++, libgcc_s, libwinpthread)")
if(NOT PINAKOS_MINGW_RUNTIME_DIRS)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE stdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
    OUTPUT_VARIABLE pthread OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(dirs "")
  foreach(f IN ITEMS ${stdcxx} ${pthread})
    if(IS_ABSOLUTE "${f}" AND EXISTS "${f}")
      get_filename_component(d "${f}" DIRECTORY)
      get_filename_component(d "${d}" REALPATH)
      list(APPEND dirs "${d}")
    endif()
  endforeach()
  # Debian keeps libwinpthread in the sysroot's lib, which the compiler does not name.
  foreach(d IN ITEMS /usr/${PINAKOS_MINGW_TRIPLE}/lib /usr/x86_64-w64-mingw32/lib)
    if(EXISTS "${d}/libwinpthread-1.dll")
      list(APPEND dirs "${d}")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  set(PINAKOS_MINGW_RUNTIME_DIRS "${dirs}" CACHE STRING
    "Folders holding the MinGW runtime DLLs (libstdc++, libgcc_s, libwinpthread)" FORCE)
endif()

# libzip and libxlsxwriter for Windows (scripts/build-libs-windows.sh), found
# by pkg-config through their own .pc files and the MinGW sysroot's (zlib),
# never the host's.
set(PINAKOS_WIN_LIBS "$ENV{HOME}/.cache/pinakos/libs-mingw" CACHE PATH
  "libzip and libxlsxwriter built for Windows (scripts/build-libs-windows.sh)")
if(CMAKE_CROSSCOMPILING)
  set(ENV{PKG_CONFIG_LIBDIR} "${PINAKOS_WIN_LIBS}/lib/pkgconfig:/usr/${PINAKOS_MINGW_TRIPLE}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
  list(APPEND CMAKE_FIND_ROOT_PATH "${PINAKOS_WIN_LIBS}")
endif()
# Their DLLs, and zlib1.dll of the MinGW sysroot, go into the program folder.
set(PINAKOS_WIN_DLL_DIRS "${PINAKOS_WIN_LIBS}/bin" /usr/${PINAKOS_MINGW_TRIPLE}/lib)

find_program(PINAKOS_OBJDUMP NAMES ${CMAKE_CXX_COMPILER_TARGET}-objdump x86_64-w64-mingw32-objdump objdump)

if(CMAKE_CROSSCOMPILING)
  find_program(PINAKOS_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_program(PINAKOS_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(PINAKOS_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
  set(winepath "")
  foreach(d IN ITEMS ${QT6_INSTALL_PREFIX}/bin ${PINAKOS_MINGW_RUNTIME_DIRS} ${PINAKOS_WIN_DLL_DIRS})
    string(REPLACE "/" "\\" d "Z:${d}")
    list(APPEND winepath "${d}")
  endforeach()
  list(JOIN winepath ";" PINAKOS_WINEPATH)
  # Qt's offscreen platform on Windows reads fonts from one folder only
  # (QT_QPA_FONTDIR; Windows' own Fonts folder when unset, empty in a Wine
  # prefix): the build-time tools and the tests get the fonts the Linux
  # suite renders with, linked into one folder.
  set(PINAKOS_FONTS ${PROJECT_BINARY_DIR}/fonts)
  file(GLOB fonts /usr/share/fonts/truetype/dejavu/*.ttf /usr/share/fonts/truetype/liberation2/*.ttf)
  if(NOT fonts)
    message(WARNING "No DejaVu or Liberation fonts (bash scripts/setup.sh installs them): "
      "the manual and the tests under Wine would draw no text")
  endif()
  file(MAKE_DIRECTORY ${PINAKOS_FONTS})
  foreach(font IN LISTS fonts)
    get_filename_component(name ${font} NAME)
    file(CREATE_LINK ${font} ${PINAKOS_FONTS}/${name} SYMBOLIC COPY_ON_ERROR)
  endforeach()
  string(REPLACE "/" "\\" PINAKOS_WINE_FONTDIR "Z:${PINAKOS_FONTS}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  # Every executable target made from here on runs through it, in custom
  # commands and in tests alike.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)
endif()

# The program folder of <target>: the Qt DLLs and plugins, the libraries'
# DLLs and the MinGW runtime it needs, laid out after every link (cmake/deploy-windows.cmake).
function(pinakos_deploy_windows target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:${target}> -DQT_PREFIX=${QT6_INSTALL_PREFIX}
      "-DSEARCH=${PINAKOS_MINGW_RUNTIME_DIRS};${PINAKOS_WIN_DLL_DIRS}" -DOBJDUMP=${PINAKOS_OBJDUMP}
      -P ${PROJECT_SOURCE_DIR}/cmake/deploy-windows.cmake
    COMMENT "Laying out the Windows program folder"
    VERBATIM)
endfunction()
