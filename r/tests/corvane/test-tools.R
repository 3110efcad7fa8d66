# How the tools read their arguments and what they return: columns from vectors and
# one-dimensional matrices, refusals as errors with the add-in's text, the number tools over
# vectors as one call per element, and the schedule check's warnings.

hybrid <- c(0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412)
call_with <- function(f, ...) do.call(f, c(list(...), as.list(hybrid)))

test_that("a column is a vector, a one-row or one-column matrix, or one number", {
    conc <- c(0, 1, 2.5, 4)
    expected <- PredEff(conc, 0, 100, 3, 2)
    expect_type(expected, "double")
    expect_null(names(expected))
    for (form in list(matrix(conc, ncol = 1), matrix(conc, nrow = 1), array(conc, c(1, 4, 1)),
                      data.matrix(data.frame(conc))))
        expect_true(same_bits(PredEff(form, 0, 100, 3, 2), expected))
    expect_true(same_bits(PredEff(c(0L, 1L, 4L), 0, 100, 3, 2), PredEff(c(0, 1, 4), 0, 100, 3, 2)))
    expect_true(same_bits(PredEff(2.5, 0, 100, 3, 2), PredEff(c(2.5), 0, 100, 3, 2)))
    expect_true(same_bits(PredEff(c(TRUE, FALSE), 0, 100, 3, 2), PredEff(c(1, 0), 0, 100, 3, 2)))
    # A data.frame of one row (a patient of a population) or one column.
    volumes <- c(4.27, 18.9, 238, 1.89, 1.29, 0.836)
    population <- as.data.frame(rbind(volumes, volumes * 2))
    expect_true(same_bits(Cl2Hyb(population[2, ]), Cl2Hyb(volumes * 2)))
    expect_true(same_bits(PredEff(data.frame(c = conc), 0, 100, 3, 2), expected))
    expect_error(Cl2Hyb(population), "parameter is not one-dimensional, param Conversion to Column",
                 fixed = TRUE)
    expect_error(Cl2Hyb(data.frame(a = "1", b = 2)), "parameter is not a number, param",
                 fixed = TRUE)
    expect_error(Cl2Hyb(data.frame()), "parameter is empty, param", fixed = TRUE)
    refusals <- list(
        "parameter is not one-dimensional, conc_eff Conversion to Column" = matrix(1, 2, 2),
        "parameter is empty, conc_eff Conversion to Column" = numeric(0),
        "parameter is missing, conc_eff Conversion to Column" = NULL,
        "parameter is missing, conc_eff Conversion to Column" = c(1, NA),
        "parameter is not a number, conc_eff Conversion to Column" = c("1", "2"),
        "parameter is not a number, conc_eff Conversion to Column" = list(1, 2),
        "parameter is not a number, conc_eff Conversion to Column" = factor(1:2))
    for (k in seq_along(refusals))
        expect_error(PredEff(refusals[[k]], 0, 100, 3, 2), names(refusals)[k], fixed = TRUE)
})

test_that("arguments convert in registered order and the first failure is named", {
    expect_error(TciCe(NULL, c(0, 1), "x", 1, 1, 1, 1, 1, 1, 1), "delta_times", fixed = TRUE)
    expect_error(CalcRate(c(0, 1), NULL, NULL, 100, 1, 1, 1, 1, 1, 1), "iv_bolus", fixed = TRUE)
    expect_error(TciCe(c(0, 1), c(0, 1), c(200, 300), 1, 1, 1, 1, 1, 1, 1),
                 "parameter is not a number, max_rate Conversion to Double", fixed = TRUE)
    expect_error(TciCe(c(0, 1), c(0, 1), NA, 1, 1, 1, 1, 1, 1, 1),
                 "parameter is missing, max_rate Conversion to Double", fixed = TRUE)
    expect_named(formals(TciCe), c("delta_times", "target_conc", "max_rate", "a", "b", "c",
                                   "l1", "l2", "l3", "ke0"))
    expect_named(formals(TPeak2ke0), c("a", "b", "c", "l1", "l2", "l3", "peak_time"))
})

test_that("a routine's refusal is an R error with exactly the cell's text", {
    expect_identical(tryCatch(Cl2Hyb(c(1, 2)), error = conditionMessage),
                     "We need exactly 6 parameters!")
    expect_identical(
        tryCatch(call_with(PredCp, c(0, 1), c(0, 1, 2), c(0, 0)), error = conditionMessage),
        "Columns of different length!")
    expect_error(TciCe(c(0, 1), c(0, 4), 0, 1, 1, 1, 1, 1, 1, 0.4), "^Maxrate has to be positive!$")
    # The call that failed is the one the error shows.
    e <- tryCatch(Cl2Hyb(1:3), error = identity)
    expect_identical(deparse(conditionCall(e)), "Cl2Hyb(1:3)")
})

test_that("fixed-length results are named by their cells, column results are not", {
    h <- Cl2Hyb(c(4.27, 18.9, 238, 1.89, 1.29, 0.836))
    expect_named(h, c("A", "B", "C", "l1", "l2", "l3"))
    expect_named(Hyb2Cl(h), c("V1", "V2", "V3", "Cl1", "Cl2", "Cl3"))
    expect_true(same_bits(Hyb2Cl(unname(h)), Hyb2Cl(h)))
    rates <- call_with(TciCp, c(0, 1, 1), c(0, 3, 3), 500)
    expect_length(rates, 3)
    expect_null(names(rates))
    expect_type(TPeak(0.2, 0.01, 0.001, 1, 0.05, 0.002, 0.4), "double")
})

test_that("the number tools over vectors are one call per element, recycled, NA for NA", {
    set.seed(7)
    weight <- runif(30, 40, 150)
    height <- runif(30, 140, 200)
    male <- sample(c(TRUE, FALSE), 30, replace = TRUE)
    for (f in list(JLBM, JanLBM, JJLBM)) {
        all <- f(weight, height, male)
        expect_length(all, 30)
        for (i in seq_along(weight))
            expect_true(same_bits(all[i], f(weight[i], height[i], male[i])))
    }
    expect_true(same_bits(BMI(weight, 170), vapply(weight, BMI, 0, height = 170)))
    ke0 <- runif(10, 0.1, 1)
    peaks <- do.call(TPeak, c(as.list(hybrid), list(ke0)))
    for (i in seq_along(ke0))
        expect_true(same_bits(peaks[i], do.call(TPeak, c(as.list(hybrid), list(ke0[i])))))
    expect_true(is.na(BMI(c(70, NA), 170)[2]))
    expect_length(BMI(numeric(0), 170), 0)
    expect_warning(BMI(c(70, 80, 90), c(170, 180)), "not a multiple")
    # A refusal of any element stops the call with its text.
    expect_error(do.call(TPeak2ke0, c(as.list(hybrid), list(c(1.6, -1)))), "Negative peack time!",
                 fixed = TRUE)
    expect_error(JLBM(80, 180, c(1, 0.5)), "parameter is neither 0 nor 1, male Conversion to Bool",
                 fixed = TRUE)
})

test_that("the schedule check returns its findings and warns each as a ScheduleWarning", {
    expect_silent(ok <- ScheduleCheck(c(0, 1 / 6, 1 / 6), NULL, 50))
    expect_identical(ok, "OK")
    expect_identical(ScheduleCheck(), "OK")
    warned <- list()
    findings <- withCallingHandlers(ScheduleCheck(c(0, 60, 60, 60), decr = 0.5),
                                    warning = function(w) {
                                        warned[[length(warned) + 1L]] <<- w
                                        invokeRestart("muffleWarning")
                                    })
    expect_length(findings, 2)
    expect_identical(vapply(warned, conditionMessage, ""), findings)
    expect_true(all(vapply(warned, inherits, NA, what = "ScheduleWarning")))
    expect_identical(ScheduleCheck(c(0, 1), NULL, NULL), ScheduleCheck(c(0, 1)))
    expect_match(suppressWarnings(ScheduleCheck(decr = "50")), "^decr", all = FALSE)
    # A column is refused as the tools refuse one.
    expect_error(ScheduleCheck("1"), "parameter is not a number, delta_times Conversion to Column",
                 fixed = TRUE)
    expect_error(ScheduleCheck(times = matrix(1, 2, 2)),
                 "parameter is not one-dimensional, times Conversion to Column", fixed = TRUE)
})

test_that("NA is a row not sampled, and subjects are named by texts, factors or numbers", {
    measured <- c(1.1, NA, 0.8, 1.5)
    predicted <- c(1, 1, 1, 2)
    pe <- VarvelPE(measured, predicted)
    expect_true(is.nan(pe[2]))
    expect_true(same_bits(pe[-2], VarvelPE(c(1.1, 0.8, 1.5), c(1, 1, 2))))
    expect_identical(VarvelMDPE(measured, predicted), VarvelMDPE(c(1.1, 0.8, 1.5), c(1, 1, 2)))
    expect_error(VarvelMDPE(c(NA, NA), c(1, 1)), "No samples!", fixed = TRUE)
    times <- c(0, 60, 0, 30, 60)
    m <- c(1.1, 1.3, 0.8, 1, 1.4)
    p <- rep(1, 5)
    by_number <- VarvelPopulation(c(1, 1, 2, 2, 2), times, m, p, 0)
    expect_identical(VarvelPopulation(c("1", "1", "2", "2", "2"), times, m, p, 0), by_number)
    expect_identical(VarvelPopulation(factor(c("a", "a", "b", "b", "b")), times, m, p, 0),
                     by_number)
    expect_error(VarvelPopulation(c("a", NA, "b", "b", "b"), times, m, p, 2),
                 "Sample not a finite number!", fixed = TRUE)
    # The Bayesian fit skips the rows not sampled.
    row <- c(4.27, 18.9, 238, 1.89, 1.29, 0.836)
    y <- c(NA, 2.1, NA, 1.2, 0.5, 0.2)
    fit <- MapIndividualVCl(c(0, 2, 2, 2, 10, 30), c(0, 10, 10, 0, 0, 0), c(20, 0, 0, 0, 0, 0), y,
                            row, c(0.61, 0, 0, 0.265, 0, 0, 0), 0.2, 0.05)
    expect_length(fit, 6)
    expect_identical(fit[c(2, 3, 5, 6)], row[c(2, 3, 5, 6)])
})
