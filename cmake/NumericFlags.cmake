# The floating-point flags of every build: the routines' results are the same bits on every
# machine and in every front end only when every compiler evaluates the same operations in
# the same order, each rounded once.
#
# - -ffp-contract=off: GCC contracts a * b + c into one fused multiply-add by default where
#   the target has one (x86-64 with FMA when enabled, ARM64, ...), and clang within an
#   expression: one rounding instead of two, so other bits on other CPUs.
# - -fno-fast-math: no reassociation, no reciprocal approximations, no flush of subnormals.
# - 32-bit x86: -msse2 -mfpmath=sse, double arithmetic in SSE2 registers as on x86-64; the
#   x87 unit's 80-bit intermediate results would round differently (the searches amplify
#   such differences far beyond rounding).
#
# VC_NUMERIC_FLAGS is the list; a build outside CMake (R's Makevars, em++ on a command line)
# passes the same flags: -ffp-contract=off -fno-fast-math, plus -msse2 -mfpmath=sse for a
# 32-bit x86 target (not WebAssembly, whose arithmetic is IEEE double throughout).
set(VC_NUMERIC_FLAGS -ffp-contract=off -fno-fast-math)
if(NOT EMSCRIPTEN AND (CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86|X86|i[3-6]86)$"
                       OR (CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")))
    list(APPEND VC_NUMERIC_FLAGS -msse2 -mfpmath=sse)
endif()
