#!/usr/bin/env bash
# Writes the R packages as self-contained source packages that `R CMD INSTALL` installs
# (Debian's r-base-dev is all they need):
#
#   build-r/velmora_<version>.tar.gz   Velmora's drug models and the covariate check
#   build-r/corvane_<version>.tar.gz   Corvane's PK tools, the schedule check, tci_schedule
#                                      and plot_tci
#
#   scripts/build-r.sh [LINUX_BUILD_DIR]
#
# Each package gets the routines' sources and headers (its add-in's folder, the catalogue
# headers, the portable mathematics) and the binding (r/src) copied into src/, in
# subfolders because the two add-ins have files of the same names, with every object listed
# in src/Makevars.in; configure adds the flags that keep the results exact
# (-ffp-contract=off -fno-fast-math) and the packages compile as C++20. GenerateRPackage,
# built in LINUX_BUILD_DIR (default: $BUILD_DIR or build; configured when missing), writes
# the R functions, help pages, NAMESPACE, DESCRIPTION and the calls of the tests from the
# catalogues; the hand-written R code, help pages and tests come from r/package and r/tests.
set -euo pipefail
cd "$(dirname "$0")/.."

linux=${1:-${BUILD_DIR:-build}}
out=build-r
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

if [ ! -f "$linux/CMakeCache.txt" ]; then
    cmake -S . -B "$linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$linux" --target GenerateRPackage --parallel "$jobs" >/dev/null
generate=$linux/r/GenerateRPackage
version=$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# The formulas of the call table that every front end's tests evaluate.
calls=catalogue/tests/calls.json

# package <name> <add-in folder> [<folder>...]: the package's folder in build-r/, with the
# routines of the add-in and of the subsystems it uses (Velmora's covariate check reads
# Corvane's functions of the patient).
package() {
    local name=$1
    local subsystems=("${@:2}")
    local dir=$out/$name
    rm -rf "$dir"
    mkdir -p "$dir/src/binding" "$dir/tests/testthat"
    cp -R r/package/common/. "$dir"
    [ -d "r/package/$name" ] && cp -R "r/package/$name/." "$dir"
    "$generate" package "$name" "$dir" "$version"

    mkdir -p "$dir/src/catalogue" "$dir/src/portablemath"
    cp -R catalogue/include "$dir/src/catalogue/"
    cp -R portablemath/include "$dir/src/portablemath/"
    local subsystem includes=""
    for subsystem in "${subsystems[@]}"; do
        mkdir -p "$dir/src/$subsystem"
        cp -R "$subsystem/include" "$subsystem/src" "$dir/src/$subsystem/"
        includes+=" -I$subsystem/include"
    done
    cp r/src/*.h r/src/binding.cpp "$dir/src/binding/"
    cp "r/src/${name}_init.cpp" "$dir/src/"

    local objects=""
    for source in "$dir/src/${name}_init.cpp" "$dir/src/binding/"*.cpp; do
        objects+=" ${source#"$dir/src/"}"
    done
    for subsystem in "${subsystems[@]}"; do
        for source in "$dir/src/$subsystem/src/"*.cpp; do
            objects+=" ${source#"$dir/src/"}"
        done
    done
    {
        echo "# Written by scripts/build-r.sh; configure puts in the floating-point flags."
        echo "CXX_STD = CXX20"
        echo "PKG_CPPFLAGS = -Icatalogue/include -Iportablemath/include$includes -Ibinding"
        echo "PKG_CXXFLAGS = @FP_FLAGS@"
        echo "OBJECTS =${objects//.cpp/.o}"
    } >"$dir/src/Makevars.in"

    cp r/tests/"$name"/*.R "$dir/tests/testthat/"
}

# build <name>: the source package of the folder.
build() {
    local name=$1
    (cd "$out" && R CMD build --no-manual "$name" >"$name.build.log" 2>&1) || {
        cat "$out/$name.build.log"
        return 1
    }
    ls "$out/${name}_$version.tar.gz"
}

mkdir -p "$out"
package velmora drugmodels pktools
build velmora
package corvane pktools
# corvane's tests compare both packages with the add-ins, call by call.
"$generate" calls "$calls" "$out/corvane/tests/testthat/calls.R"
build corvane
