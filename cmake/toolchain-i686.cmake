# 32-bit Windows, the programs' native target; built and linked, not run here.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QV_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
