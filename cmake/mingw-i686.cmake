# Cross build for 32-bit Windows: the release Quenlow.exe that users get.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUENLOW_MINGW_PREFIX i686-w64-mingw32)
# SSE2 arithmetic keeps single and double precision results identical to the 64-bit build (x87
# would round intermediates).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-release.cmake)
