// pinned_digest: prints the digest lines of the pinned results and of the drug models, the
// first two lines of results_digest, without the sheets. It needs only the routines, so it
// runs where the stand-in host is not built: an ARM64 build under qemu-aarch64, a
// WebAssembly build under node.

#include "Digest.h"

#include <cstdio>

int main() {
    std::printf("%s\n%s\n", digest::PinnedResultsLine().c_str(), digest::DrugModelsLine().c_str());
    return 0;
}
