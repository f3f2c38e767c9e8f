# The posix thread model unless the including file chose another: GoogleTest needs std::mutex,
# which the win32 model of this GCC lacks.
if(NOT DEFINED QUENLOW_MINGW_THREADS)
    set(QUENLOW_MINGW_THREADS posix)
endif()
set(CMAKE_C_COMPILER ${QUENLOW_MINGW_PREFIX}-gcc-${QUENLOW_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${QUENLOW_MINGW_PREFIX}-g++-${QUENLOW_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${QUENLOW_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUENLOW_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests run under Wine through a wrapper that keeps Wine's helper processes off CTest's pipes;
# a 32-bit test program needs wine32.
if(NOT DEFINED QUENLOW_WINE_BITS)
    set(QUENLOW_WINE_BITS 64)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run;${QUENLOW_WINE_BITS})
