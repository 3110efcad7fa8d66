# Every call of the call table and every function's example, in both packages, against the
# add-ins through the command-line host: the same arguments give the same cells bit for bit,
# a refusal the same text, a check the same findings (each also warned, nothing else warns),
# and an argument the sheet cannot convert is refused in R too, naming the same argument.
# A flag other than 0 or 1, which the sheet reads as TRUE, is refused (as in Python).

source(test_path("calls.R"), local = TRUE)

# A conversion's text names the argument by its registered name: "..., MALE Conversion to Bool".
CONVERSION <- "^.*, ([A-Za-z_0-9]+) (Conversion to [A-Za-z]+|Not unidemensional)$"
ERROR_VALUE <- "^#(NULL!|DIV/0!|VALUE!|REF!|NAME\\?|N/A)$"
STRICT_FLAG <- "^parameter is neither 0 nor 1, [a-z_0-9]+ Conversion to Bool$"

test_that("every call gives the add-ins' cells, texts and errors", {
    sheethost()
    skip_if_not_installed("velmora")
    counts <- c(values = 0, cells = 0, refusals = 0, conversions = 0, findings = 0,
                strict_flags = 0)
    for (call in calls) {
        expected <- sheet_cells(call$formula)
        got <- outcome(str2lang(call$r))
        info <- paste(call$formula, "as", call$r)
        one_text <- length(expected) == 1L
        if (one_text && (grepl(CONVERSION, expected) || grepl(ERROR_VALUE, expected))) {
            # The sheet could not convert an argument: R refuses it too.
            expect_false(is.null(got$error), info = info)
            registered <- sub(CONVERSION, "\\1", expected)
            k <- match(registered, call$registered)
            if (!is.na(k))
                expect_match(got$error, call$arguments[[k]], fixed = TRUE, info = info)
            counts["conversions"] <- counts["conversions"] + 1
        } else if (!is.null(got$error) && grepl(STRICT_FLAG, got$error)) {
            expect_false(grepl(CONVERSION, paste(expected, collapse = "")), info = info)
            counts["strict_flags"] <- counts["strict_flags"] + 1
        } else if (!is.null(got$error)) {
            expect_identical(got$error, if (one_text) expected else NA_character_, info = info)
            counts["refusals"] <- counts["refusals"] + 1
        } else {
            expect_identical(r_cells(got$value), expected, info = info)
            counts["values"] <- counts["values"] + 1
            counts["cells"] <- counts["cells"] + length(expected)
        }
        if (is.character(got$value) && !identical(got$value, "OK")) {
            expect_identical(got$warnings, got$value, info = info)
            counts["findings"] <- counts["findings"] + length(got$warnings)
        } else {
            expect_length(got$warnings, 0)
        }
    }
    # The table holds values, refusals and conversions, and the checks find something.
    expect_true(all(counts[c("values", "refusals", "conversions", "findings")] > 0),
                info = paste(names(counts), counts, collapse = ", "))
    message("compared with the add-ins: ", length(calls), " calls; ",
            paste(names(counts), counts, sep = " ", collapse = ", "))
})
