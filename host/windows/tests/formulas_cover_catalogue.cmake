# The sheet of formulas that the Windows comparison and the results digest evaluate calls
# every worksheet function the add-ins register (as sheethost lists them, from the
# catalogues): a function missing from it would go uncompared on Windows and undigested.
#
#   cmake -DSHEETHOST=<sheethost> -DFORMULAS=<formulas.csv> -P formulas_cover_catalogue.cmake

cmake_minimum_required(VERSION 3.20)

execute_process(COMMAND ${SHEETHOST} --registrations
    OUTPUT_VARIABLE registrations RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "sheethost --registrations failed (${status})")
endif()
# One JSON object per line; a worksheet name holds no quote.
string(REGEX MATCHALL "\"worksheetName\":\"[^\"]*\"" names "${registrations}")
list(LENGTH names count)
if(count EQUAL 0)
    message(FATAL_ERROR "sheethost registered no function")
endif()

file(READ "${FORMULAS}" sheet)
set(uncalled "")
foreach(field IN LISTS names)
    string(REGEX REPLACE "^\"worksheetName\":\"(.*)\"$" "\\1" name "${field}")
    # The name as a call: after the formula's = or an operator, a bracket or a comma.
    if(NOT sheet MATCHES "[^A-Za-z0-9_.]${name}\\(")
        list(APPEND uncalled "${name}")
    endif()
endforeach()
if(uncalled)
    message(FATAL_ERROR "${FORMULAS} has no formula calling: ${uncalled} "
                        "(take one from the good calls in catalogue/tests/calls.json)")
endif()
message(STATUS "${FORMULAS} calls each of the ${count} registered functions")
