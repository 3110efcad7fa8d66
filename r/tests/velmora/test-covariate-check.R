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

test_that("NULL, NA and a missing argument are left out; what is no number is refused", {
    left_out <- suppressWarnings(CovariateCheck("PropSchnider", 53, 77, NULL, 59))
    expect_identical(suppressWarnings(CovariateCheck("PropSchnider", 53, 77, NA, 59)), left_out)
    expect_match(left_out, "^Height is empty", all = FALSE)
    expect_identical(CovariateCheck("PropWhite", 40, 70, TRUE), CovariateCheck("PropWhite", 40, 70, 1))
    expect_error(CovariateCheck("PropSchnider", 53, "77", 177, 59),
                 "parameter is not a number, arg2 Conversion to Double", fixed = TRUE)
    expect_error(CovariateCheck(53, 77), "parameter is not a text, model Conversion to String",
                 fixed = TRUE)
    expect_error(CovariateCheck("PropSchnider", c(53, 60), 77, 177, 59),
                 "parameter is not a number, arg1 Conversion to Double", fixed = TRUE)
})
