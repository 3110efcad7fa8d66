# A check's findings, each also signalled as a warning of the check's class where the check
# was called (never as an error); a check that finds nothing stays silent.
.warn_findings <- function(findings, class) {
    if (!identical(findings, .NOTHING_FOUND)) {
        call <- sys.call(-1L)
        for (finding in findings)
            warning(structure(class = c(class, "warning", "condition"),
                              list(message = finding, call = call)))
    }
    findings
}
