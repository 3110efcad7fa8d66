# Benchmark only: the mean processor seconds of one call of the C++ routine behind a function, on these
# arguments (a list, converted once as the function converts them), over `times` calls.
.routine_seconds <- function(name, arguments, times = 1L) {
    .Call(.C_routine_seconds, name, arguments, as.integer(times))
}
