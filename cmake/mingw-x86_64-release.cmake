# Cross build for 64-bit Windows with the release's flags: the x86-64 program that the tests drive
# from another process beside the i686 release.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUENLOW_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-release.cmake)
