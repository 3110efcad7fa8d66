# The models over patients: a population call is one call per patient, bit for bit, with R's
# recycling, NA patients and the conversions' texts.

same_bits <- function(a, b) identical(writeBin(as.double(a), raw()), writeBin(as.double(b), raw()))

# The example's arguments of a model, for n patients: each number scaled by a random factor
# (kept in [0.5, 1.5] of the example's), each flag drawn.
patients_like_example <- function(name, n) {
    example <- as.list(str2lang(velmora:::.examples[[name]]))[-1]
    kinds <- velmora:::.arguments[[name]]
    arguments <- Map(function(value, kind) {
        if (kind == "flag") sample(c(FALSE, TRUE), n, replace = TRUE)
        else eval(value) * runif(n, 0.5, 1.5)
    }, example, kinds)
    names(arguments) <- names(kinds)
    arguments
}

test_that("a population call gives each patient's row of a call of its own, bit for bit", {
    set.seed(20250601)
    for (name in names(velmora:::.rows)) {
        model <- getExportedValue("velmora", name)
        n <- if (length(velmora:::.arguments[[name]]) == 0) 1L else 40L
        arguments <- patients_like_example(name, n)
        population <- do.call(model, arguments)
        row_length <- velmora:::.rows[[name]]
        if (n == 1L) {
            expect_length(population, row_length)
            next
        }
        expect_s3_class(population, "data.frame")
        expect_equal(dim(population), c(n, row_length), info = name)
        expect_identical(names(population), names(do.call(model, lapply(arguments, `[`, 1))))
        for (i in seq_len(n)) {
            one <- do.call(model, lapply(arguments, `[`, i))
            expect_true(same_bits(unlist(population[i, ]), one),
                        info = paste(name, "patient", i))
        }
    }
})

test_that("one patient gives the named row; the row's names are the cells'", {
    row <- PropSchnider(53, 77, 177, 59)
    expect_type(row, "double")
    expect_named(row, c("V1", "V2", "V3", "Cl1", "Cl2", "Cl3", "ke0"))
    expect_named(PropMarsh(70), c("V1", "V2", "V3", "Cl1", "Cl2", "Cl3"))
    expect_named(AlfentScott(), c("V1", "V2", "V3", "Cl1", "Cl2", "Cl3", "ke0"))
    # Integers, doubles and truth values are the same numbers.
    expect_true(same_bits(PropSchnider(53L, 77L, 177L, 59L), row))
    expect_true(same_bits(PropWhite(40, 70, TRUE), PropWhite(40, 70, 1)))
    expect_true(same_bits(PropWhite(40, 70, FALSE), PropWhite(40, 70, 0L)))
    expect_false(same_bits(PropWhite(40, 70, TRUE), PropWhite(40, 70, FALSE)))
})

test_that("covariates recycle as R's arithmetic does, with its warning for uneven lengths", {
    ages <- c(20, 40, 60, 80)
    population <- PropSchnider(ages, 70, 170, c(50, 55))
    expect_equal(nrow(population), 4)
    for (i in 1:4)
        expect_true(same_bits(unlist(population[i, ]),
                              PropSchnider(ages[i], 70, 170, c(50, 55)[(i - 1) %% 2 + 1])))
    expect_warning(uneven <- PropSchnider(c(20, 40, 60), 70, 170, c(50, 55)),
                   "longer object length is not a multiple of shorter object length")
    expect_equal(nrow(uneven), 3)
    none <- PropSchnider(numeric(0), 70, 170, 50)
    expect_s3_class(none, "data.frame")
    expect_equal(dim(none), c(0, 7))
    # A vector of one patient is still one patient.
    expect_false(is.data.frame(PropSchnider(c(53), 77, 177, 59)))
})

test_that("an R error met inside a call (a warning made an error) leaves nothing behind", {
    old <- options(warn = 2)
    on.exit(options(old))
    for (i in 1:3)
        expect_error(PropSchnider(c(20, 40, 60), 70, 170, c(50, 55)), "not a multiple")
    options(old)
    expect_true(same_bits(PropSchnider(53, 77, 177, 59)[["V2"]], 18.9))
    expect_equal(nrow(PropSchnider(c(20, 40), 70, 170, 50)), 2)
})

test_that("a patient with an NA covariate gets a row of NA, the others their rows", {
    population <- PropEleveld(c(70, NA, 80), 40, c(TRUE, TRUE, NA), TRUE)
    expect_true(same_bits(unlist(population[1, ]), PropEleveld(70, 40, TRUE, TRUE)))
    expect_true(all(is.na(unlist(population[2, ]))))
    expect_true(all(is.na(unlist(population[3, ]))))
    expect_true(all(is.na(PropMarsh(NA))))
    expect_named(PropMarsh(NA_real_), c("V1", "V2", "V3", "Cl1", "Cl2", "Cl3"))
    # NaN is a number, not a missing patient: the model computes with it (V1 takes no age).
    row <- PropSchnider(NaN, 70, 170, 50)
    expect_true(is.finite(row[["V1"]]) && is.nan(row[["V2"]]))
})

test_that("covariates that are no numbers or flags stop the call with the add-ins' texts", {
    expect_error(PropWhite(40, 70, 0.5), "parameter is neither 0 nor 1, male Conversion to Bool",
                 fixed = TRUE)
    expect_error(PropWhite(40, 70, c(1, 0, 2)),
                 "parameter is neither 0 nor 1, male Conversion to Bool", fixed = TRUE)
    expect_error(PropSchnider(53, "77", 177, 59),
                 "parameter is not a number, weight Conversion to Double", fixed = TRUE)
    expect_error(PropSchnider(53, 77, NULL, 59),
                 "parameter is missing, height Conversion to Double", fixed = TRUE)
    expect_error(PropSchnider(53, 77, factor(177), 59),
                 "parameter is not a number, height Conversion to Double", fixed = TRUE)
    expect_error(PropSchnider(53, list(77), 177, 59),
                 "parameter is not a number, weight Conversion to Double", fixed = TRUE)
    # The first argument that fails is the one named.
    expect_error(RocuKleijn("70", 43, 119, 2, 0), "weight Conversion to Double", fixed = TRUE)
    expect_error(PropSchnider(53, 77), "argument \"height\" is missing")
    # The message is exactly the text, for a handler to read.
    text <- tryCatch(PropWhite(40, 70, 2), error = conditionMessage)
    expect_identical(text, "parameter is neither 0 nor 1, male Conversion to Bool")
})

test_that("the arguments carry the add-ins' names in R's lower-case words, in order", {
    expect_named(formals(PropSchnider), c("age", "weight", "height", "lbm"))
    expect_named(formals(PropEleveldFinal),
                 c("weight", "height", "pma", "age", "male", "venous", "opiates", "patient"))
    expect_named(formals(CovariateCheck), c("model", paste0("arg", 1:8)))
    expect_null(formals(CovariateCheck)$arg1)
    expect_null(formals(AlfentScott))
})
