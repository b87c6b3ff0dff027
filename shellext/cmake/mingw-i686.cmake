# 32-bit Windows build: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(SCRB_MINGW_TRIPLET i686-w64-mingw32)
set(SCRB_MINGW_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
