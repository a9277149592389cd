# Cross build for 64-bit Windows with MinGW-w64. Not shipped: this tree runs the Windows tests
# under 64-bit Wine on machines that cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LAUNCHER_WINDOWS_TREE win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
