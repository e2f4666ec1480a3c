// The two class identifiers of the module. Hosts store them in projects and
// find the classes by them, so their values never change.
#pragma once

#include "pluginterfaces/base/funknown.h"

namespace quorvelware
{

// Each unit that includes this header holds its own pair; all copies are
// equal. The processor's comes first, then the controller's.
static const Steinberg::FUID kFerrulithProcessorUID(0x69E0CF25, 0xF9E88CC0, 0x7BDBBFB8, 0x136AD322);
static const Steinberg::FUID kFerrulithControllerUID(0x893905F8, 0x690E2BAB, 0xA2817452,
                                                     0x388B6A8D);

} // namespace quorvelware
