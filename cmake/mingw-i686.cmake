# Cross build for 32-bit Windows: the release Quenlow.exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUENLOW_MINGW_PREFIX i686-w64-mingw32)
# This build has no GoogleTest, so it can use the win32 thread model, which links no winpthread.
set(QUENLOW_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# SSE2 arithmetic keeps single and double precision results identical to the 64-bit build (x87
# would round intermediates).
#
# The release is small before it is fast: its work is a few calculations per click. Unused
# functions and data are dropped section by section, and across files by link-time optimisation.
# Only the UI thread runs the program's code, so local statics need no initialisation lock.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT
    "-msse2 -mfpmath=sse -ffunction-sections -fdata-sections -fno-threadsafe-statics")
# Relocatable (ASLR, a .reloc section) whatever the linker's default: binutils before 2.36 left
# it off.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--gc-sections,--dynamicbase")
# -Os comes from the win32 preset: CMake appends its own -O3 to any release flags that a
# toolchain file starts them from, and a preset's value also replaces one cached earlier.

# CMake's own switch rather than a bare -flto: it also archives the libraries with gcc-ar.
# Projects brought in with an older minimum version (GoogleTest) would warn about it instead.
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
set(CMAKE_POLICY_DEFAULT_CMP0069 NEW)
