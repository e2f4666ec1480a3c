// The processor state stream: a 16-bit bypass flag (0 or 1), then the
// normalized values of parameters 0 to 7 as 32-bit floats, little-endian, 34
// bytes with no header. Hosts store it in projects and hand it to both the
// processor and the controller, so its layout never changes.
#pragma once

#include "pluginterfaces/base/ibstream.h"
#include "processor/processorvalues.h"

namespace quorvelware
{

constexpr int kProcessorStateSize = 34;

// Reads the 34 bytes at the stream's position. All or nothing: on a short
// stream `values` is left as it was and the answer is kResultFalse. Bytes
// beyond the 34th stay unread.
Steinberg::tresult readProcessorState(Steinberg::IBStream* stream, const ParamRange* ranges,
                                      ProcessorValues& values);

// Writes the 34 bytes at the stream's position; kResultFalse when the stream
// took fewer bytes than offered.
Steinberg::tresult writeProcessorState(Steinberg::IBStream* stream, const ParamRange* ranges,
                                       const ProcessorValues& values);

} // namespace quorvelware
