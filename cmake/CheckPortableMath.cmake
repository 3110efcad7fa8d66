# cmake -DROOT=<source tree> [-DLIBRARIES=<lib.a>,<lib.a>... -DNM=<nm>] -P CheckPortableMath.cmake
#
# Fails when a routine calls the platform's mathematics library for a transcendental
# function (exp, log, pow, the trigonometric, hyperbolic, gamma and error functions...):
# their results differ between machines, so the routines use portablemath's own. Reads the
# sources and headers of pktools/ and drugmodels/ (not their tests), without comments and
# string literals; with LIBRARIES, also the undefined symbols of the built static libraries.
cmake_minimum_required(VERSION 3.20)

set(names "exp|exp2|expm1|log|log2|log10|log1p|logb|pow|sin|cos|tan|asin|acos|atan|atan2|sinh|cosh|tanh|asinh|acosh|atanh|cbrt|hypot|erf|erfc|tgamma|lgamma|sincos|exp10|pow10")
# A call: the name (float and long double forms too), not a member or another namespace's,
# followed by "(".
set(call "(^|[^A-Za-z0-9_.>:]|std::|[^A-Za-z0-9_]::|__builtin_)(${names})[fl]?[ \t\r\n]*\\(")

file(GLOB_RECURSE sources ${ROOT}/pktools/*.cpp ${ROOT}/pktools/*.h ${ROOT}/drugmodels/*.cpp
     ${ROOT}/drugmodels/*.h)
list(FILTER sources EXCLUDE REGEX "/tests/")
set(found "")
foreach(source IN LISTS sources)
    file(READ ${source} text)
    string(REGEX REPLACE "\"([^\"\\\\\n]|\\\\.)*\"" "\"\"" text "${text}")
    string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" " " text "${text}")
    string(REGEX REPLACE "//[^\n]*" "" text "${text}")
    string(REGEX MATCHALL "${call}" hits "${text}")
    foreach(hit IN LISTS hits)
        file(RELATIVE_PATH name ${ROOT} ${source})
        string(STRIP "${hit}" hit)
        string(APPEND found "\n  ${name}: ${hit}")
    endforeach()
endforeach()

if(LIBRARIES)
    string(REPLACE "," ";" LIBRARIES "${LIBRARIES}")
    foreach(library IN LISTS LIBRARIES)
        execute_process(COMMAND ${NM} -u ${library} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "${NM} -u ${library} failed")
        endif()
        string(REGEX MATCHALL "U (__)?(${names})[fl]?(_finite)?(@[^\n]*)?\n" hits "${symbols}")
        foreach(hit IN LISTS hits)
            string(STRIP "${hit}" hit)
            get_filename_component(name ${library} NAME)
            string(APPEND found "\n  ${name} needs ${hit}")
        endforeach()
    endforeach()
endif()

list(LENGTH sources count)
if(found)
    message(FATAL_ERROR "The routines call the platform's mathematics library; use portable::"
                        " (portablemath/include/portablemath/math.h) instead:${found}")
endif()
message(STATUS "${count} sources and headers call no platform transcendental function")
