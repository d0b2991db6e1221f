# Cross-builds the Windows program with mingw-w64 (x86-64, posix thread model) and runs the
# built .exe files under Wine, so that ctest and test discovery work on the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KALKORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KALKORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KALKORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KALKORA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KALKORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One standalone .exe: the C and C++ runtimes are linked in, only system DLLs are imported.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# zlib as libz.a: the package also ships an import library, which would make the .exe need
# zlib1.dll beside it.
set(ZLIB_USE_STATIC_LIBS ON)

# Every program runs through a private Wine prefix inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${CMAKE_BINARY_DIR}/wineprefix)
