#!/usr/bin/awk -f
# awk -f same-results.awk LINUX.csv WINDOWS.csv
#
# Compares two outputs of sheethost cell by cell: every cell must be the same, numbers to
# the last of their 17 digits (the routines give the same bits on every machine). Prints
# every difference, numbers with their distance in units in the last place; exits 1 when a
# cell differs or the shapes differ.
function abs(x) { return x < 0 ? -x : x }
function isnumber(s) { return s ~ /^-?[0-9]+(\.[0-9]+)?([eE][-+]?[0-9]+)?$/ }
# Units in the last place of a double near x (x > 0).
function ulp(x,   e) {
    e = int(log(x) / log(2))
    if (2 ^ e > x) e--
    return 2 ^ (e - 52)
}
{ sub(/\r$/, "") }
FNR == 1 { file++ }
file == 1 { linux[FNR] = $0; linuxRows = FNR; next }
{
    windowsRows = FNR
    n = split(linux[FNR], a, ",")
    m = split($0, b, ",")
    if (n != m) {
        printf "row %d: %d cells on Linux, %d on Windows\n", FNR, n, m; bad++; next
    }
    for (k = 1; k <= n; k++) {
        if (a[k] == b[k]) { same++; continue }
        if (isnumber(a[k]) && isnumber(b[k])) {
            x = a[k] + 0; y = b[k] + 0
            big = abs(x) > abs(y) ? abs(x) : abs(y)
            units = abs(x - y) / ulp(big)
            if (units > worst) worst = units
            printf "row %d cell %d: %s on Linux, %s on Windows (%.1f ulp)\n", FNR, k, a[k], b[k], units
        } else {
            printf "row %d cell %d: %s on Linux, %s on Windows\n", FNR, k, a[k], b[k]
        }
        bad++
    }
}
END {
    if (linuxRows != windowsRows) {
        printf "%d rows on Linux, %d on Windows\n", linuxRows, windowsRows; bad++
    }
    printf "%d cells equal, %d different", same, bad
    if (worst > 0) printf " (numbers up to %.1f ulp apart)", worst
    printf "\n"
    exit bad > 0
}
