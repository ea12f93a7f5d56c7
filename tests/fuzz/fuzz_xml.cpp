// libFuzzer entry point: see FuzzGridChecks.h.
#include "FuzzGridChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckXmlReader(data, size);
    return 0;
}
