#pragma once
// The checks of one row of the CANopen SDO windows (client and server): a
// table of steps per page, run in order; the address steps ask only for the
// bytes that the row's N Byte uses.

#include <QString>
#include <functional>
#include <vector>

struct TSdoStep {
    enum Kind { Range, ByteCount, Address } What = Range;
    int Col = 0;
    int Min = 0, Max = 0;  // Range only
    int Message = 0;
    int Byte = 1;          // Address: which byte (1 .. 4) of the value
};

// The steps of the client's read and write pages and the server's.
const std::vector<TSdoStep>& SdoClientSteps(int page);
const std::vector<TSdoStep>& SdoServerSteps(int page);

// The first failing step's message (an address message followed by
// nByte - 1); empty when the row passes.
QString SdoRowFault(const std::vector<TSdoStep>& steps, const std::function<QString(int col)>& cell, int nByte);

