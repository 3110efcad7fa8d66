// Velmora's twenty-six wrappers, called through the frame with records built from the input.

#include "FuzzRecords.h"
#include "VelmoraWrappers.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<hostile::Wrapper> wrappers = VelmoraWrappers();
    fuzzing::CallOne(wrappers, data, size);
    return 0;
}
