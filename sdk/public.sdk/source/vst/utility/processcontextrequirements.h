// The process-context fields a processor asks its host to fill, as the word
// that IProcessContextRequirements hands out. Empty unless a processor asks.
#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"

namespace Steinberg
{
namespace Vst
{

class ProcessContextRequirements
{
public:
    operator uint32() const { return flags; }

private:
    uint32 flags = 0;
};

} // namespace Vst
} // namespace Steinberg
