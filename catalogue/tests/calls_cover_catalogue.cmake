# The call table covers the catalogues: every worksheet function the add-ins register (as
# sheethost lists them, from the catalogues) has at least one call in the table, and every
# call names a registered function.
#
#   cmake -DSHEETHOST=<sheethost> -DCALLS=<calls.json> -P calls_cover_catalogue.cmake

cmake_minimum_required(VERSION 3.20)

execute_process(COMMAND ${SHEETHOST} --registrations
    OUTPUT_VARIABLE registrations RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "sheethost --registrations failed (${status})")
endif()
# One JSON object per line; a worksheet name holds no quote.
string(REGEX MATCHALL "\"worksheetName\":\"[^\"]*\"" names "${registrations}")
set(registered "")
foreach(field IN LISTS names)
    string(REGEX REPLACE "^\"worksheetName\":\"(.*)\"$" "\\1" name "${field}")
    list(APPEND registered "${name}")
endforeach()
list(LENGTH registered count)
if(count EQUAL 0)
    message(FATAL_ERROR "sheethost registered no function")
endif()

file(READ "${CALLS}" table)
set(called "")
set(unknown "")
string(JSON groups LENGTH "${table}" groups)
math(EXPR lastGroup "${groups} - 1")
foreach(g RANGE ${lastGroup})
    string(JSON calls LENGTH "${table}" groups ${g} calls)
    math(EXPR lastCall "${calls} - 1")
    foreach(c RANGE ${lastCall})
        string(JSON name GET "${table}" groups ${g} calls ${c} 0)
        list(APPEND called "${name}")
        if(NOT name IN_LIST registered)
            list(APPEND unknown "${name}")
        endif()
    endforeach()
endforeach()

set(uncalled "")
foreach(name IN LISTS registered)
    if(NOT name IN_LIST called)
        list(APPEND uncalled "${name}")
    endif()
endforeach()
if(uncalled OR unknown)
    message(FATAL_ERROR "the call table ${CALLS} has no call of: ${uncalled}; "
                        "it calls functions nobody registers: ${unknown}")
endif()
list(LENGTH called calls)
message(STATUS "${calls} calls of the ${count} registered functions")
