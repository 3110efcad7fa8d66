#!/usr/bin/env Rscript
# The R packages' speed beside the C++ routines', in one run: each case's time through the R
# function and the bare routine's on the same inputs (timed inside the package by
# .routine_seconds, which converts the arguments once and then only calls the routine).
#
#     Rscript bench/r_bench.R [LIBRARY]
#
# LIBRARY is where velmora and corvane are installed (default: R's own library path). Times
# are processor seconds of this process (the machine is shared: a wall clock counts the
# waiting too; S_r1 shows it beside), the best of several short runs taken in turns.
# Targets:
#   S_r1  PropSchnider of 10^6 patients in one call:  at most 1 s (beside: 10^6 routine calls)
#   S_r2  TciCe of the 541-row S1 schedule:            at most 1.5 x the routine
#   S_r3  PropSchnider, one patient:                   the call's overhead above the routine

args <- commandArgs(trailingOnly = TRUE)
if (length(args) > 0) .libPaths(c(args[[1]], .libPaths()))
library(velmora)
library(corvane)

ROUNDS <- 9
MAX_RATE <- 1200 # mg/min, as the C++ suite's TCI cases
TEN_SECONDS <- 1 / 6 # min
S1_ROWS <- 541 # 10 s rows for 90 min
PATIENTS <- 1e6

processor_seconds <- function() {
    t <- proc.time()
    t[["user.self"]] + t[["sys.self"]]
}

seconds_per_call <- function(f, calls) {
    start <- processor_seconds()
    for (i in seq_len(calls)) f()
    (processor_seconds() - start) / calls
}

# The best of ROUNDS runs of each, in turns.
compare <- function(r_run, routine_run) {
    r <- routine <- numeric(ROUNDS)
    for (k in seq_len(ROUNDS)) {
        r[k] <- r_run()
        routine[k] <- routine_run()
    }
    c(r = min(r), routine = min(routine))
}

row <- PropSchnider(53, 77, 177, 59)
h <- unname(Cl2Hyb(row[1:6]))
dt <- c(0, rep(TEN_SECONDS, S1_ROWS - 1))
target <- ifelse(seq_len(S1_ROWS) - 1 <= 360, 4, 2)
target[1] <- 0
tci <- c(list(dt, target, MAX_RATE), as.list(h), list(row[["ke0"]]))

set.seed(1)
population <- list(runif(PATIENTS, 18, 90), runif(PATIENTS, 40, 140), runif(PATIENTS, 150, 200),
                   runif(PATIENTS, 35, 80))

results <- list()
# Beside it, 10^6 calls of the bare routine.
one <- list(53, 77, 177, 59)
t <- compare(function() seconds_per_call(function() do.call(PropSchnider, population), 1),
             function() PATIENTS * velmora:::.routine_seconds("PropSchnider", one, 2e5))
wall <- system.time(do.call(PropSchnider, population))[["elapsed"]]
results[[1]] <- c("S_r1 PropSchnider, 10^6 patients in one call", t,
                  sprintf("%.3f s, wall clock %.3f s (target <= 1 s)", t[["r"]], wall),
                  t[["r"]] <= 1)
t <- compare(function() seconds_per_call(function() do.call(TciCe, tci), 2000),
             function() corvane:::.routine_seconds("TciCe", tci, 2000))
results[[2]] <- c("S_r2 TciCe, 541-row S1", t,
                  sprintf("ratio %.3f (target <= 1.5)", t[["r"]] / t[["routine"]]),
                  t[["r"]] <= 1.5 * t[["routine"]])
t <- compare(function() seconds_per_call(function() PropSchnider(53, 77, 177, 59), 2e5),
             function() velmora:::.routine_seconds("PropSchnider", one, 2e5))
results[[3]] <- c("S_r3 PropSchnider, one patient", t,
                  sprintf("overhead %.3f us", 1e6 * (t[["r"]] - t[["routine"]])), NA)

cat(sprintf("%-46s %14s %14s  %s\n", "case", "R (s)", "routine (s)", "result"))
for (r in results)
    cat(sprintf("%-46s %14.6g %14.6g  %s%s\n", r[[1]], as.numeric(r[[2]]), as.numeric(r[[3]]),
                r[[4]], if (is.na(r[[5]])) "" else if (as.logical(r[[5]])) "  met" else "  MISSED"))
