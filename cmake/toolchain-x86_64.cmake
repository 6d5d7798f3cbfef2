# 64-bit Windows, the build that runs and is tested here under wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QV_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
