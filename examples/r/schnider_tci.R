# The README's R example: a propofol effect-site TCI by the Schnider model, its plot, and the
# same model for a population of 1 000 patients.
#
#     Rscript examples/r/schnider_tci.R [PLOT.png]
#
# The plot is written where the argument says (docs/images/r_schnider_tci.png is this script's).

library(velmora)
library(corvane)

# --- One patient: 53 years, 77 kg, 177 cm, a man; lean body mass by James' formula.
lbm <- JLBM(77, 177, TRUE)
row <- PropSchnider(53, 77, 177, lbm)
print(row)
CovariateCheck("PropSchnider", 53, 77, 177, lbm)

# Effect-site target 4 ug/mL, lowered to 3 ug/mL at 10 min, 10 s steps for 20 min, a pump of at
# most 1200 mg/min (propofol in mg: concentrations in mg/L = ug/mL, rates in mg/min).
schedule <- tci_schedule(row, targets = c(4, 3), target_times = c(0, 10), duration = 20,
                         max_rate = 1200)
print(head(schedule, 8), digits = 4)
cat("propofol in 20 min:", format(sum(schedule$rate * c(0, diff(schedule$time))), digits = 4),
    "mg\n")

# Drawn with the rate in mL/h of propofol 1 % (10 mg/mL), as the syringe pump is set.
plot <- plot_tci(schedule, concentration_unit = "ug/mL", rate_unit = "mg/min", syringe_conc = 10)
args <- commandArgs(trailingOnly = TRUE)
if (length(args) > 0)
    ggplot2::ggsave(args[[1]], plot, width = 7, height = 5, dpi = 110)

# --- A population: 1 000 adults, one call for all of them.
set.seed(1998)
n <- 1000
patients <- data.frame(age = round(runif(n, 18, 85)), weight = round(rnorm(n, 75, 13)),
                       height = round(rnorm(n, 171, 9)), male = runif(n) < 0.5)
patients$lbm <- with(patients, JLBM(weight, height, male))
rows <- with(patients, PropSchnider(age, weight, height, lbm))
print(summary(rows[c("V2", "Cl1", "Cl2")]))

# The bolus that brings each patient's effect site to 4 ug/mL at its peak: 4 x VdPeak.
bolus <- apply(rows, 1, function(r) {
    h <- Cl2Hyb(r[1:6])
    4 * VdPeak(h[["A"]], h[["B"]], h[["C"]], h[["l1"]], h[["l2"]], h[["l3"]], r[["ke0"]])
})
print(quantile(bolus, c(0.05, 0.5, 0.95)), digits = 3)
