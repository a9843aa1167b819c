# 64-bit Windows: the same sources, for the tests under wine64.
set(MINGW_CPU x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
