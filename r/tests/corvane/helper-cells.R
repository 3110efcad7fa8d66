# What the tests share: the add-ins' cells through the command-line host (SHEETHOST, the
# Linux build's addins/sheethost) and an R result written as the host writes cells.

sheethost <- function() {
    path <- Sys.getenv("SHEETHOST")
    if (!nzchar(path) || !file.exists(path))
        skip("no sheethost: set SHEETHOST to the Linux build's addins/sheethost")
    path
}

# The add-in's cells of a formula: one text per cell, as sheethost --eval prints them
# (numbers with 17 significant digits, a non-finite number as #NUM!, texts unquoted).
sheet_cells <- function(formula) {
    lines <- system2(sheethost(), c("--eval", shQuote(formula)), stdout = TRUE)
    cells <- unlist(lapply(lines, function(line) {
        if (!grepl("[\",]", line)) return(line)
        scan(text = line, what = "", sep = ",", quote = "\"", quiet = TRUE, na.strings = NULL)
    }))
    if (is.null(cells)) character(0) else cells
}

# An R result as the host writes its cells.
r_cells <- function(value) {
    value <- unname(value)
    if (is.character(value)) return(value)
    if (is.logical(value)) return(ifelse(value, "TRUE", "FALSE"))
    ifelse(is.finite(value), sprintf("%.17g", value), "#NUM!")
}

# What an R call comes to: its value or its error's message, and the warnings it gave.
outcome <- function(expr) {
    warned <- character(0)
    result <- withCallingHandlers(
        tryCatch(list(value = eval(expr, globalenv()), error = NULL),
                 error = function(e) list(value = NULL, error = conditionMessage(e))),
        warning = function(w) {
            warned <<- c(warned, conditionMessage(w))
            invokeRestart("muffleWarning")
        })
    c(result, list(warnings = warned))
}

same_bits <- function(a, b) identical(writeBin(as.double(a), raw()), writeBin(as.double(b), raw()))

# The standard patient's hybrid constants and ke0 (Schnider, 53 y, 77 kg, 177 cm, LBM 59).
standard_row <- function() {
    skip_if_not_installed("velmora")
    velmora::PropSchnider(53, 77, 177, 59)
}
