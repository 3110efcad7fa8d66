# tci_schedule gives the tools' own numbers in a table, by step or by series, and plot_tci
# draws it.

test_that("a schedule holds TciCe's rates and PredCp's and PredCe's concentrations, bit for bit", {
    row <- standard_row()
    wide <- tci_schedule(row, targets = c(4, 3), target_times = c(0, 3), duration = 5,
                         max_rate = 200)
    expect_named(wide, c("time", "target", "rate", "Cp", "Ce"))
    expect_equal(nrow(wide), 31)
    expect_equal(wide$time[c(1, 2, 31)], c(0, 1 / 6, 5))
    # The Overview's schedule: row 0 is time zero, 4 until 3 min, 3 from the next step on.
    expect_equal(wide$target[2:19], rep(4, 18))
    expect_equal(wide$target[20:31], rep(3, 12))
    h <- Cl2Hyb(row[1:6])
    dt <- c(0, rep(1 / 6, 30))
    rate <- TciCe(dt, wide$target, 200, h[[1]], h[[2]], h[[3]], h[[4]], h[[5]], h[[6]], row[[7]])
    expect_true(same_bits(wide$rate, rate))
    bolus <- numeric(31)
    expect_true(same_bits(wide$Cp, PredCp(dt, rate, bolus, h[[1]], h[[2]], h[[3]], h[[4]],
                                          h[[5]], h[[6]])))
    expect_true(same_bits(wide$Ce, PredCe(dt, rate, bolus, h[[1]], h[[2]], h[[3]], h[[4]],
                                          h[[5]], h[[6]], row[[7]])))
    long <- tci_schedule(row, 4, duration = 2, max_rate = 200, shape = "series")
    expect_named(long, c("time", "series", "value"))
    expect_identical(levels(long$series), c("target", "Cp", "Ce", "rate"))
    expect_equal(nrow(long), 4 * 13)
    expect_identical(long, tci_long(tci_schedule(row, 4, duration = 2, max_rate = 200)))
})

test_that("a plasma schedule takes TciCp, and a row without ke0 has no effect site", {
    row <- standard_row()
    plasma <- tci_schedule(row[1:6], 3, duration = 1, max_rate = 500, site = "plasma")
    h <- Cl2Hyb(row[1:6])
    expect_true(same_bits(plasma$rate, TciCp(c(0, rep(1 / 6, 6)), rep(3, 7), 500, h[[1]], h[[2]],
                                             h[[3]], h[[4]], h[[5]], h[[6]])))
    expect_true(all(is.na(plasma$Ce)))
    expect_error(tci_schedule(row[1:6], 3, duration = 1, max_rate = 500), "needs ke0")
    expect_error(tci_schedule(row, c(3, 4), 0, duration = 1, max_rate = 500), "as long as")
    expect_error(tci_schedule(row, c(3, 4), c(1, 2), duration = 1, max_rate = 500),
                 "start at 0")
    expect_error(tci_schedule(row, 3, duration = 1, step = 0, max_rate = 500), "step")
    # The tools' own refusals come through.
    expect_error(tci_schedule(row, 3, duration = 1, max_rate = 0), "Maxrate has to be positive!")
})

test_that("plot_tci returns a ggplot of concentrations over the rate, by step or by series", {
    skip_if_not_installed("ggplot2")
    row <- standard_row()
    long <- tci_schedule(row, c(4, 3), c(0, 3), duration = 5, max_rate = 200, shape = "series")
    plot <- plot_tci(long, concentration_unit = "ug/mL", rate_unit = "mg/min")
    expect_s3_class(plot, "ggplot")
    expect_identical(plot$labels$x, "Time (min)")
    built <- ggplot2::ggplot_build(plot)
    expect_equal(nrow(built$layout$layout), 2)
    expect_setequal(levels(plot$data$panel), c("Concentration (ug/mL)", "Rate (mg/min)"))
    expect_equal(sum(vapply(built$data, nrow, 0L)), nrow(long))
    wide <- tci_schedule(row, c(4, 3), c(0, 3), duration = 5, max_rate = 200)
    expect_identical(plot_tci(wide)$data$value, plot_tci(long)$data$value)
    expect_error(plot_tci(data.frame(time = 1)), "missing: target, Cp, Ce, rate")
})

test_that("plot_tci draws the rate in mL/h of a syringe, as a pump is set", {
    skip_if_not_installed("ggplot2")
    schedule <- tci_schedule(standard_row(), 4, duration = 2, max_rate = 200)
    plot <- plot_tci(schedule, concentration_unit = "ug/mL", rate_unit = "mg/min",
                     syringe_conc = 10)
    drawn <- plot$data[plot$data$series == "rate", ]
    # 10 mg/mL: 1 mg/min is 6 mL/h.
    expect_equal(drawn$value, schedule$rate[!is.na(schedule$rate)] * 60 / 10)
    expect_true("Rate (mL/h, 10 mg/mL)" %in% levels(plot$data$panel))
    concentrations <- plot$data[plot$data$series != "rate", "value"]
    expect_identical(concentrations, plot_tci(schedule)$data[plot$data$series != "rate", "value"])
    for (bad in list(0, -1, NA_real_, Inf, "10", c(10, 20)))
        expect_error(plot_tci(schedule, rate_unit = "mg/min", syringe_conc = bad),
                     "syringe_conc is the drug per mL of the syringe, a positive number of mg/mL")
})
