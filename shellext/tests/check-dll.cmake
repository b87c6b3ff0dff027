# Checks the built DLL without running it: its exports, that it needs only
# system DLLs at run time, and its machine type.
#   cmake -DOBJDUMP=... -DDLL=... -DBITS=32|64 -P check-dll.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${DLL}")
endif()

set(failures "")

# Exactly the four COM server exports, by their plain names.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${dump}")
# Brackets would upset CMake's lists: keep only the names, one per line.
string(REGEX REPLACE "\\[Ordinal/Name Pointer\\] Table\n" "" table "${table}")
string(REGEX REPLACE "[ \t]*\\[ *[0-9]+\\] " "" table "${table}")
string(STRIP "${table}" table)
string(REPLACE "\n" ";" entries "${table}")
set(expected DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer)
if(NOT entries STREQUAL expected)
    list(APPEND failures "exports are '${entries}', expected '${expected}'")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
list(TRANSFORM imports REPLACE "DLL Name: " "")
list(TRANSFORM imports TOLOWER)
set(system_dlls kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll msvcrt.dll)
foreach(dll IN LISTS imports)
    if(NOT dll IN_LIST system_dlls)
        list(APPEND failures "imports ${dll}, which Windows does not ship")
    endif()
endforeach()
foreach(dll kernel32.dll shell32.dll ole32.dll)
    if(NOT dll IN_LIST imports)
        list(APPEND failures "does not import ${dll}")
    endif()
endforeach()

if(BITS EQUAL 32)
    set(format "pei-i386")
else()
    set(format "pei-x86-64")
endif()
execute_process(COMMAND ${OBJDUMP} -f ${DLL} OUTPUT_VARIABLE header)
if(NOT header MATCHES "file format ${format}")
    list(APPEND failures "not a ${format} file")
endif()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "${DLL}:\n  ${text}")
endif()
message(STATUS "${DLL}: exports ${entries}; imports ${imports}")
