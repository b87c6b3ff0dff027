# Included by the top-level project (a Linux build): builds ScrbExtShell for
# 32- and 64-bit Windows with MinGW-w64 and runs its tests under Wine as part
# of the top-level ctest (tests shellext_i686 and shellext_x86_64).
include_guard(GLOBAL)

find_program(SCRB_MINGW_I686_CXX i686-w64-mingw32-g++)
find_program(SCRB_MINGW_X86_64_CXX x86_64-w64-mingw32-g++)
find_program(SCRB_WINE_PROGRAM wine)
if(NOT SCRB_MINGW_I686_CXX OR NOT SCRB_MINGW_X86_64_CXX OR NOT SCRB_WINE_PROGRAM)
    message(STATUS "ScrbExtShell: MinGW-w64 (i686 and x86_64) or Wine not found, the shell extension is "
                   "neither built nor tested; scripts/install-deps.sh installs them")
    return()
endif()

include(ExternalProject)
if(DEFINED BUILD_TESTING AND NOT BUILD_TESTING)
    set(_scrb_tests OFF)
else()
    set(_scrb_tests ON)
    enable_testing()
endif()

set(_scrb_shellext_source ${CMAKE_CURRENT_LIST_DIR})
foreach(_scrb_arch IN ITEMS i686 x86_64)
    set(_scrb_build ${CMAKE_BINARY_DIR}/shellext-${_scrb_arch})
    ExternalProject_Add(shellext_${_scrb_arch}
        SOURCE_DIR ${_scrb_shellext_source}
        BINARY_DIR ${_scrb_build}
        PREFIX ${CMAKE_BINARY_DIR}/shellext-${_scrb_arch}-ep
        CMAKE_ARGS
            -DCMAKE_TOOLCHAIN_FILE=${_scrb_shellext_source}/cmake/mingw-${_scrb_arch}.cmake
            -DCMAKE_BUILD_TYPE=Release
            -DCMAKE_INSTALL_PREFIX=${CMAKE_BINARY_DIR}/shellext-${_scrb_arch}-install
            -DSCRB_SHELLEXT_TESTS=${_scrb_tests}
            # CXXFLAGS/LDFLAGS of the environment are meant for the Linux build.
            -DCMAKE_CXX_FLAGS=
            -DCMAKE_RC_FLAGS=
            -DCMAKE_EXE_LINKER_FLAGS=
            -DCMAKE_MODULE_LINKER_FLAGS=
        BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --parallel 2
        # The sub-build knows its own dependencies; always ask it.
        BUILD_ALWAYS TRUE
        INSTALL_COMMAND ""
        TEST_COMMAND "")

    if(NOT _scrb_tests)
        continue()
    endif()
    add_test(NAME shellext_${_scrb_arch}
             COMMAND bash ${_scrb_shellext_source}/tests/run-subbuild-tests.sh ${CMAKE_CTEST_COMMAND} ${_scrb_build})
    set_tests_properties(shellext_${_scrb_arch} PROPERTIES
        SKIP_RETURN_CODE 77
        TIMEOUT 900
        LABELS shellext)
endforeach()
unset(_scrb_tests)
unset(_scrb_arch)
unset(_scrb_build)
unset(_scrb_shellext_source)
