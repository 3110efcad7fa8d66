#include "pktools/variability.h"

#include "pktools/errors.h"
#include "pktools/refusals.h"
#include "portablemath/math.h"

#include <cmath>

namespace pktools {

double CVFromOmega2(double omega2) {
    if (!(omega2 >= 0))
        throw InputError(refusals::NEGATIVE_VARIANCE);
    return std::sqrt(portable::exp(omega2) - 1);
}

double Omega2FromCV(double cv) {
    if (!(cv >= 0))
        throw InputError(refusals::NEGATIVE_CV);
    return portable::log(1 + cv * cv);
}

} // namespace pktools
