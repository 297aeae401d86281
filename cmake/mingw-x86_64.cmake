# Cross-build for 64-bit Windows with mingw-w64 (x86_64-w64-mingw32): the same sources as the
# 32-bit product, for 64-bit-only Windows and for testing under 64-bit Wine where a machine
# cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QV_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
