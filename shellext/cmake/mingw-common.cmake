# Shared part of the MinGW-w64 toolchain files; expects SCRB_MINGW_TRIPLET
# and SCRB_MINGW_PROCESSOR to be set by the including file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${SCRB_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${SCRB_MINGW_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${SCRB_MINGW_TRIPLET}-g++)
set(CMAKE_RC_COMPILER ${SCRB_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCRB_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run through Wine. Debian's "wine" wrapper prefers the 32-bit
# loader, which cannot start on a host without 32-bit support, so the 64-bit
# loader comes first; it hands 32-bit programs on to the 32-bit one.
find_program(SCRB_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine /opt/wine-stable/bin
             DOC "Wine loader that runs the tests")
if(SCRB_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${SCRB_WINE})
endif()
