# 64-bit Windows build: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
set(SCRB_MINGW_TRIPLET x86_64-w64-mingw32)
set(SCRB_MINGW_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
