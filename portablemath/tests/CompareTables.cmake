# cmake -DGENERATOR=<make_tables> -DTABLES=<tables.h> -P CompareTables.cmake
# Fails unless the header in the tree is exactly what the generator writes.
execute_process(COMMAND ${GENERATOR} OUTPUT_VARIABLE generated RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${GENERATOR} failed")
endif()
file(READ ${TABLES} stored)
if(NOT generated STREQUAL stored)
    message(FATAL_ERROR "${TABLES} differs from what ${GENERATOR} writes: regenerate it with\n"
                        "  ${GENERATOR} > ${TABLES}")
endif()
