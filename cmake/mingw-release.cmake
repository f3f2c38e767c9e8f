# The release flags, shared by the i686 release that users get and the x86-64 build of it that
# the tests also drive. Included by a toolchain file after it chose QUENLOW_MINGW_PREFIX.
#
# A release links no GoogleTest, so it can use the win32 thread model, which links no winpthread.
set(QUENLOW_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# The release is small before it is fast: its work is a few calculations per click. Unused
# functions and data are dropped section by section, and across files by link-time optimisation.
# Only the UI thread runs the program's code, so local statics need no initialisation lock.
string(APPEND CMAKE_C_FLAGS_INIT " -ffunction-sections -fdata-sections")
string(APPEND CMAKE_CXX_FLAGS_INIT " -ffunction-sections -fdata-sections -fno-threadsafe-statics")
# Relocatable (ASLR, a .reloc section) whatever the linker's default: binutils before 2.36 left
# it off.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--gc-sections,--dynamicbase")
# -Os comes from the preset: CMake appends its own -O3 to any release flags that a toolchain file
# starts them from, and a preset's value also replaces one cached earlier.

# CMake's own switch rather than a bare -flto: it also archives the libraries with gcc-ar.
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
set(CMAKE_POLICY_DEFAULT_CMP0069 NEW)
