# Every call of the shared call table and every function's example, in both packages, against
# the add-ins through the command-line host. Where R reads every argument as the sheet does
# (numbers, flags as TRUE/FALSE or 1/0, columns of numbers, and whatever a check reads), R
# gives the same cells bit for bit, a refusal the same text, a check the same findings (each
# also warned; nothing else warns). Where R reads an argument otherwise — a text or an error
# value (NA in R) for a number, a flag other than 0 or 1, an omitted argument the function
# needs, one argument too many — R stops with an error that names such an argument, whatever
# the sheet makes of it; and a model or number tool given NA or several values per argument
# answers per patient (compared with single calls in the other tests).

source(test_path("calls.R"), local = TRUE)

package_of <- function(name) {
    for (p in c("velmora", "corvane"))
        if (name %in% names(getNamespace(p)$.arguments)) return(p)
    NA_character_
}

# How R reads one argument of a kind: "plain" as the sheet reads it, "refused", or
# "per patient" (NA or several values for a vectorised function).
reading <- function(value, kind, vectorised) {
    numeric_like <- (is.numeric(value) || is.logical(value)) && !is.factor(value)
    one_long_axis <- sum(if (is.null(dim(value))) length(value) > 1 else dim(value) > 1) <= 1
    switch(kind,
           "text" = , "optional number" = "plain",
           "number" = , "flag" = {
               if (!numeric_like || length(value) == 0) return("refused")
               if (kind == "flag" && !all(value %in% c(0, 1, NA))) return("refused")
               if (vectorised && (length(value) > 1 || anyNA(value))) return("per patient")
               if (length(value) != 1 || is.na(value)) return("refused")
               "plain"
           },
           "block" = {
               if (!numeric_like || length(value) == 0 || anyNA(value)) return("refused")
               "plain"
           },
           "identifiers" = {
               if (!(numeric_like || is.character(value)) || length(value) == 0 ||
                   !one_long_axis) return("refused")
               if (anyNA(value)) return("not sampled")
               "plain"
           },
           "samples" = {
               # NA is a row not sampled in R; the table's error cells are NA here.
               if (!numeric_like || length(value) == 0 || !one_long_axis) return("refused")
               if (anyNA(value)) return("not sampled")
               "plain"
           },
           "column" = , "optional column" = {
               if (kind == "optional column" && is.null(value)) return("plain")
               if (!numeric_like || length(value) == 0 || anyNA(value) || !one_long_axis)
                   return("refused")
               "plain"
           })
}

readings <- function(call) {
    expr <- str2lang(call$r)
    name <- sub("^.*::", "", deparse(expr[[1]]))
    package <- package_of(name)
    kinds <- getNamespace(package)$.arguments[[name]]
    vectorised <- name %in% getNamespace(package)$.vectorised
    given <- as.list(expr)[-1]
    out <- character(0)
    for (k in seq_along(kinds)) {
        missing_here <- k > length(given) || identical(given[[k]], quote(expr = ))
        out[names(kinds)[k]] <- if (missing_here) {
            if (startsWith(kinds[[k]], "optional")) "plain" else "refused"
        } else {
            reading(eval(given[[k]], globalenv()), kinds[[k]], vectorised)
        }
    }
    list(readings = out, too_many = length(given) > length(kinds))
}

# Whether an error names each argument: the binding's ", name Conversion to ..." or R's
# 'argument "name" is missing'.
names_argument <- function(message, names) {
    vapply(names, function(name) {
        grepl(paste0(", ", name, " Conversion to "), message, fixed = TRUE) ||
            grepl(paste0("\"", name, "\""), message, fixed = TRUE)
    }, NA)
}

test_that("every call gives the add-ins' cells, texts and errors", {
    sheethost()
    skip_if_not_installed("velmora")
    counts <- c(calls = 0, values = 0, cells = 0, refusals = 0, findings = 0, read_otherwise = 0,
                per_patient = 0)
    for (call in calls) {
        counts["calls"] <- counts["calls"] + 1
        expected <- sheet_cells(call$formula)
        got <- outcome(str2lang(call$r))
        info <- paste(call$formula, "as", call$r)
        read <- readings(call)
        refused <- names(read$readings)[read$readings == "refused"]
        if (read$too_many || length(refused) > 0) {
            expect_false(is.null(got$error), info = info)
            if (!read$too_many && !is.null(got$error))
                expect_true(any(names_argument(got$error, refused)),
                            info = paste(info, "names none of", toString(refused), ":", got$error))
            counts["read_otherwise"] <- counts["read_otherwise"] + 1
        } else if (any(read$readings == "not sampled")) {
            counts["read_otherwise"] <- counts["read_otherwise"] + 1
        } else if (any(read$readings == "per patient")) {
            expect_null(got$error, info = info)
            counts["per_patient"] <- counts["per_patient"] + 1
        } else if (!is.null(got$error)) {
            expect_identical(got$error, if (length(expected) == 1) expected else NA_character_,
                             info = info)
            counts["refusals"] <- counts["refusals"] + 1
        } else {
            expect_identical(r_cells(got$value), expected, info = info)
            counts["values"] <- counts["values"] + 1
            counts["cells"] <- counts["cells"] + length(expected)
        }
        if (is.character(got$value) && !identical(got$value, "OK")) {
            expect_identical(got$warnings, got$value, info = info)
            counts["findings"] <- counts["findings"] + length(got$warnings)
        } else if (is.null(got$error) || !any(read$readings == "per patient")) {
            expect_length(got$warnings, 0)
        }
    }
    # The table holds values, refusals, findings and what R reads otherwise.
    expect_true(all(counts > 0), info = paste(names(counts), counts, collapse = ", "))
    message("compared with the add-ins: ", paste(names(counts), counts, collapse = ", "))
})
