# Cross toolchain: MinGW-w64 (POSIX threads model). ZV_TARGET_ARCH picks x86_64 (the program users get
# first) or i686 (the 32-bit one, for 32-bit Windows).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT ZV_TARGET_ARCH)
  set(ZV_TARGET_ARCH x86_64)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${ZV_TARGET_ARCH})
set(_prefix ${ZV_TARGET_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${_prefix}-windres)
# The archivers that understand link-time-optimised objects.
set(CMAKE_AR ${_prefix}-gcc-ar-posix)
set(CMAKE_RANLIB ${_prefix}-gcc-ranlib-posix)
set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests run under Wine; the wrapper chooses the project's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
