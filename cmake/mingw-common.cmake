# Shared part of the mingw-w64 cross-builds: the including toolchain file sets QV_MINGW_PREFIX
# and CMAKE_SYSTEM_PROCESSOR. The runtime is linked statically so quorvane.exe needs no DLL
# beyond the system's.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QV_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${QV_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${QV_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
