# Cross build for 32-bit Windows with MinGW-w64: the product's tree.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LAUNCHER_WINDOWS_TREE win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
