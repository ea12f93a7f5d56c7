// libFuzzer entry point: see FuzzChecks.h.
#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckDropDownEdit(data, size);
    return 0;
}
