# The covariate check: its findings returned and each warned (class CovariateWarning), never
# an error; "OK" silent; a wrong call refused.

findings_and_warnings <- function(expr) {
    warned <- list()
    value <- withCallingHandlers(expr, warning = function(w) {
        warned[[length(warned) + 1L]] <<- w
        invokeRestart("muffleWarning")
    })
    list(value = value, warnings = warned)
}

test_that("each finding is returned and warned as a CovariateWarning, in order", {
    got <- findings_and_warnings(CovariateCheck("PropSchnider", 40, 70, 1.75, 56))
    expect_type(got$value, "character")
    expect_true(any(grepl("^Height 1.75 cm is below 3 cm", got$value)))
    expect_identical(vapply(got$warnings, conditionMessage, ""), got$value)
    for (w in got$warnings) {
        expect_s3_class(w, "CovariateWarning")
        expect_identical(deparse(conditionCall(w)[[1]]), "CovariateCheck")
    }
    # Several findings, errors first, each its own warning.
    many <- findings_and_warnings(CovariateCheck("PropEleveldFinal", 70000, 1.7, 40, 40, 1, 0, 1, 1))
    expect_gt(length(many$value), 1)
    expect_identical(vapply(many$warnings, conditionMessage, ""), many$value)
})

test_that("a patient with nothing to say gives OK and no warning", {
    expect_silent(ok <- CovariateCheck("PropSchnider", 53, 77, 177, 59))
    expect_identical(ok, "OK")
    expect_silent(CovariateCheck("AlfentScott"))
    # The model's name in any letter case, as the sheet takes it.
    expect_identical(CovariateCheck("propschnider", 53, 77, 177, 59), "OK")
})

test_that("findings are warnings even when warnings are errors elsewhere, and never errors here", {
    expect_no_error(suppressWarnings(CovariateCheck("NoSuchModel", 1)))
    expect_warning(unknown <- CovariateCheck("NoSuchModel", 1), class = "CovariateWarning")
    expect_length(unknown, 1)
    # With warn = 2 a finding stops the call as R stops any warning; nothing is left behind.
    old <- options(warn = 2)
    on.exit(options(old))
    expect_error(CovariateCheck("PropSchnider", 40, 70, 1.75, 56), "Height 1.75 cm")
    options(old)
    expect_identical(CovariateCheck("PropSchnider", 53, 77, 177, 59), "OK")
})

test_that("arguments are read as the sheet reads what was entered: nothing is refused", {
    quiet <- function(...) suppressWarnings(CovariateCheck(...))
    left_out <- quiet("PropSchnider", 53, 77, NULL, 59)
    expect_match(left_out, "^Height is empty", all = FALSE)
    expect_identical(quiet("PropSchnider", 53, 77, , 59), left_out)
    expect_identical(quiet("PropSchnider", 53, 77, "", 59), left_out)
    # A text, NA or several values are no number, and the check says so.
    no_number <- quiet("PropSchnider", 53, 77, "177", 59)
    expect_match(no_number, "^Height is not a number", all = FALSE)
    expect_identical(quiet("PropSchnider", 53, 77, NA, 59), no_number)
    expect_identical(quiet("PropSchnider", 53, 77, c(177, 180), 59), no_number)
    expect_identical(quiet("PropSchnider", 53, 77, list(177), 59), no_number)
    expect_identical(CovariateCheck("PropWhite", 40, 70, TRUE), CovariateCheck("PropWhite", 40, 70, 1))
    # A model name that is no text is the empty name: no model has it.
    expect_warning(unnamed <- CovariateCheck(53, 77), "Unknown model", class = "CovariateWarning")
    expect_identical(unnamed, quiet("", 77))
    expect_identical(quiet(c("PropMarsh", "PropWhite"), 70), unnamed[1])
    # Only a wrong call is an R error.
    expect_error(CovariateCheck(), "argument \"model\" is missing")
    expect_error(CovariateCheck("PropMarsh", 1, 2, 3, 4, 5, 6, 7, 8, 9), "unused argument")
})
