# Shared part of the two mingw-w64 toolchains. The -posix compilers give std::thread in tests;
# everything is linked statically so images import system DLLs only.
set(CMAKE_C_COMPILER   ${DROVEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DROVEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${DROVEL_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${DROVEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Static zlib only: the import library would make the stub depend on zlib1.dll.
set(ZLIB_LIBRARY /usr/${DROVEL_MINGW_TRIPLE}/lib/libz.a CACHE FILEPATH "static zlib")
set(ZLIB_INCLUDE_DIR /usr/${DROVEL_MINGW_TRIPLE}/include CACHE PATH "zlib headers")
