# Cross build of the add-in with Debian's i686 mingw-w64 tool chain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(KIVO_MINGW_PREFIX i686-w64-mingw32)
# The posix thread model: GoogleTest needs std::mutex. The runtime, winpthread included, is
# linked statically, so nothing of it is imported.
set(CMAKE_C_COMPILER ${KIVO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KIVO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KIVO_MINGW_PREFIX}-windres)
set(CMAKE_MC_COMPILER ${KIVO_MINGW_PREFIX}-windmc)

set(CMAKE_FIND_ROOT_PATH /usr/${KIVO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under Wine, in the build's own prefix, each with a watchdog.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
