# A TCI schedule as a table for plotting, and its plot: the rates of TciCe or TciCp at fixed
# steps, with the plasma and effect-site concentrations they give (PredCp, PredCe), for a
# model's parameter row such as velmora::PropSchnider(53, 77, 177, 59).

.SCHEDULE_SERIES <- c("target", "Cp", "Ce", "rate")

tci_schedule <- function(parameters, targets, target_times = 0, duration, step = 1 / 6,
                         max_rate, site = c("effect", "plasma"), ke0 = NULL,
                         shape = c("steps", "series")) {
    site <- match.arg(site)
    shape <- match.arg(shape)
    parameters <- unlist(parameters, use.names = TRUE)
    if (!is.numeric(parameters) || length(parameters) < 6L)
        stop("parameters must hold V1, V2, V3, Cl1, Cl2, Cl3 (and ke0), as a model returns them")
    if (is.null(ke0))
        ke0 <- if (length(parameters) >= 7L) parameters[[7L]] else NA_real_
    if (site == "effect" && is.na(ke0))
        stop("an effect-site schedule needs ke0: the model's seventh value or the ke0 argument")
    if (length(targets) == 0L || length(targets) != length(target_times))
        stop("targets and target_times must be as long as each other, with one value or more")
    if (is.unsorted(target_times, strictly = TRUE) || target_times[[1L]] != 0)
        stop("target_times must start at 0 and ascend")
    if (length(duration) != 1L || !is.finite(duration) || length(step) != 1L ||
        !is.finite(step) || step <= 0 || duration < step)
        stop("duration and step must be numbers with 0 < step <= duration")

    steps <- as.integer(round(duration / step))
    time <- (0:steps) * step
    delta <- c(0, rep(step, steps))
    # Row k's target is the one set at or before the start of its interval; row 0 is not read.
    target <- targets[findInterval(c(0, time[-length(time)]), target_times)]
    h <- Cl2Hyb(parameters[1:6])
    rate <- if (site == "effect") {
        TciCe(delta, target, max_rate, h[[1]], h[[2]], h[[3]], h[[4]], h[[5]], h[[6]], ke0)
    } else {
        TciCp(delta, target, max_rate, h[[1]], h[[2]], h[[3]], h[[4]], h[[5]], h[[6]])
    }
    bolus <- numeric(length(time))
    cp <- PredCp(delta, rate, bolus, h[[1]], h[[2]], h[[3]], h[[4]], h[[5]], h[[6]])
    ce <- if (is.na(ke0)) {
        rep(NA_real_, length(time))
    } else {
        PredCe(delta, rate, bolus, h[[1]], h[[2]], h[[3]], h[[4]], h[[5]], h[[6]], ke0)
    }
    steps <- data.frame(time = time, target = target, rate = rate, Cp = cp, Ce = ce)
    if (shape == "steps")
        return(steps)
    tci_long(steps)
}

plot_tci <- function(schedule, concentration_unit = "dose/L", rate_unit = "dose/min",
                     time_unit = "min", syringe_conc = NULL) {
    if (!requireNamespace("ggplot2", quietly = TRUE))
        stop("plot_tci needs the ggplot2 package: install.packages(\"ggplot2\")")
    if (!all(c("time", "series", "value") %in% names(schedule)))
        schedule <- tci_long(schedule)
    concentration <- paste0("Concentration (", concentration_unit, ")")
    rate <- paste0("Rate (", rate_unit, ")")
    if (!is.null(syringe_conc)) {
        # The rate as a syringe pump is set: mL/h of a syringe of syringe_conc drug per mL.
        amount <- strsplit(rate_unit, "/", fixed = TRUE)[[1L]][[1L]]
        if (!is.numeric(syringe_conc) || length(syringe_conc) != 1L ||
            !is.finite(syringe_conc) || syringe_conc <= 0)
            stop("syringe_conc is the drug per mL of the syringe, a positive number of ",
                 amount, "/mL, not ", deparse(syringe_conc))
        minutes_per_hour <- 60
        is_rate <- schedule$series == "rate"
        schedule$value[is_rate] <- schedule$value[is_rate] * minutes_per_hour / syringe_conc
        rate <- paste0("Rate (mL/h, ", format(syringe_conc), " ", amount, "/mL)")
    }
    schedule$panel <- factor(ifelse(schedule$series == "rate", rate, concentration),
                             levels = c(concentration, rate))
    schedule <- schedule[!is.na(schedule$value), , drop = FALSE]
    colours <- c(target = "grey40", Cp = "#1f77b4", Ce = "#d62728", rate = "#2ca02c")
    line_types <- c(target = "dashed", Cp = "solid", Ce = "solid", rate = "solid")
    labels <- c(target = "target", Cp = "Cp (plasma)", Ce = "Ce (effect site)", rate = "rate")
    ggplot2::ggplot(schedule, ggplot2::aes(x = .data$time, y = .data$value,
                                           colour = .data$series,
                                           linetype = .data$series)) +
        ggplot2::geom_step(data = schedule[schedule$series %in% c("target", "rate"), ],
                           direction = "vh") +
        ggplot2::geom_line(data = schedule[schedule$series %in% c("Cp", "Ce"), ]) +
        ggplot2::facet_grid(panel ~ ., scales = "free_y", switch = "y") +
        ggplot2::scale_colour_manual(values = colours, breaks = .SCHEDULE_SERIES,
                                     labels = labels, name = NULL) +
        ggplot2::scale_linetype_manual(values = line_types, breaks = .SCHEDULE_SERIES,
                                       labels = labels, name = NULL) +
        ggplot2::labs(x = paste0("Time (", time_unit, ")"), y = NULL) +
        ggplot2::theme_bw() +
        ggplot2::theme(strip.placement = "outside", strip.background = ggplot2::element_blank(),
                       strip.text = ggplot2::element_text(size = ggplot2::rel(0.9)),
                       axis.title = ggplot2::element_text(size = ggplot2::rel(0.9)),
                       legend.position = "top")
}

# A schedule of one row per step (time, target, rate, Cp, Ce) as one row per time and series,
# the form plot_tci reads.
tci_long <- function(schedule) {
    missing <- setdiff(c("time", .SCHEDULE_SERIES), names(schedule))
    if (length(missing) > 0L)
        stop("a schedule has the columns time, target, rate, Cp and Ce; missing: ",
             paste(missing, collapse = ", "))
    n <- nrow(schedule)
    data.frame(time = rep(schedule$time, length(.SCHEDULE_SERIES)),
               series = factor(rep(.SCHEDULE_SERIES, each = n), levels = .SCHEDULE_SERIES),
               value = unlist(schedule[.SCHEDULE_SERIES], use.names = FALSE))
}

# ggplot2 finds .data in its data mask; R CMD check looks for it among the package's names.
utils::globalVariables(".data")
