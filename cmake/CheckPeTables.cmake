# cmake -DOBJDUMP=<objdump> -DMODULE=<file.xll> -DDEF=<file.def> -P CheckPeTables.cmake
#
# Reads a Windows module's export and import tables with objdump -p and fails unless
#  - it exports exactly the names of the module-definition file's EXPORTS list, each under
#    its plain name (no "@n" of the 32-bit standard calling convention, no "_" before it);
#  - it imports only from the system's own DLLs (no C or C++ runtime, threads or compiler
#    support library of the build, nothing of the spreadsheet: the call library is loaded
#    at run time).
cmake_minimum_required(VERSION 3.20)

foreach(var OBJDUMP MODULE DEF)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "CheckPeTables.cmake needs -D${var}=...")
    endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} -p ${MODULE} failed")
endif()
string(REPLACE "\n" ";" lines "${dump}")

# The export name table: lines "[   n] name" after "[Ordinal/Name Pointer] Table".
set(exports)
set(inTable FALSE)
foreach(line IN LISTS lines)
    if(line MATCHES "\\[Ordinal/Name Pointer\\] Table")
        set(inTable TRUE)
    elseif(inTable AND line MATCHES "^[ \t]*\\[ *[0-9]+\\] (.+)$")
        list(APPEND exports "${CMAKE_MATCH_1}")
    elseif(inTable)
        set(inTable FALSE)
    endif()
endforeach()

# The names after EXPORTS in the definition file (comments start with ";").
file(STRINGS ${DEF} defLines)
set(expected)
set(inExports FALSE)
foreach(line IN LISTS defLines)
    string(REGEX REPLACE ";.*" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "EXPORTS")
        set(inExports TRUE)
    elseif(inExports AND line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)")
        list(APPEND expected "${CMAKE_MATCH_1}")
    endif()
endforeach()

list(SORT exports)
list(SORT expected)
list(LENGTH exports exportCount)
list(LENGTH expected expectedCount)
if(expectedCount EQUAL 0)
    message(FATAL_ERROR "${DEF} lists no exports")
endif()
if(NOT exports STREQUAL expected)
    set(missing ${expected})
    list(REMOVE_ITEM missing ${exports})
    set(extra ${exports})
    list(REMOVE_ITEM extra ${expected})
    message(FATAL_ERROR "${MODULE}: exports differ from ${DEF}\n  missing: ${missing}\n  extra: ${extra}")
endif()

set(systemDlls KERNEL32.dll USER32.dll msvcrt.dll ADVAPI32.dll ntdll.dll)
string(TOLOWER "${systemDlls}" systemDlls)
set(imports)
foreach(line IN LISTS lines)
    if(line MATCHES "DLL Name: (.+)$")
        string(STRIP "${CMAKE_MATCH_1}" dll)
        list(APPEND imports "${dll}")
        string(TOLOWER "${dll}" lower)
        if(NOT lower IN_LIST systemDlls)
            message(FATAL_ERROR "${MODULE} imports ${dll}, which is not a system DLL")
        endif()
    endif()
endforeach()
message(STATUS "${MODULE}: ${exportCount} exports as listed; imports ${imports}")
