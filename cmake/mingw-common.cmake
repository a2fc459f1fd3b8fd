set(CMAKE_C_COMPILER ${VEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VEL_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No DLL beside the executables: the C and C++ run-times and winpthread are
# linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
