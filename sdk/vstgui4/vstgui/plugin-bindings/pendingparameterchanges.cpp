#include "vstgui/plugin-bindings/pendingparameterchanges.h"

#include <algorithm>

namespace VSTGUI
{

void PendingParameterChanges::post(Steinberg::Vst::ParamID id)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (std::find(posted.begin(), posted.end(), id) == posted.end())
        posted.push_back(id);
    anyPosted.store(true, std::memory_order_release);
}

std::vector<Steinberg::Vst::ParamID> PendingParameterChanges::take()
{
    std::vector<Steinberg::Vst::ParamID> taken;
    // Most turns find nothing and take no lock.
    if (!anyPosted.load(std::memory_order_acquire))
        return taken;
    std::lock_guard<std::mutex> lock(mutex);
    anyPosted.store(false, std::memory_order_relaxed);
    taken.swap(posted);
    return taken;
}

} // namespace VSTGUI
