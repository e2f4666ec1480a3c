#include "support/parameterchanges.h"

namespace ferrulith_test
{

using namespace Steinberg;
using namespace Steinberg::Vst;

tresult PLUGIN_API ParamQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value)
{
    ++reads;
    if (claiming && !refusing && !points.empty())
        index = static_cast<int32>(points.size()) - 1;
    if (refusing || index < 0 || index >= static_cast<int32>(points.size()))
        return kResultFalse;
    sampleOffset = points[static_cast<size_t>(index)].first;
    value = points[static_cast<size_t>(index)].second;
    return kResultOk;
}

tresult PLUGIN_API ParamQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index)
{
    index = static_cast<int32>(points.size());
    points.emplace_back(sampleOffset, value);
    return kResultOk;
}

ParamQueue& ParameterChanges::queue(ParamID id)
{
    queues.emplace_back(id);
    slots.push_back(&queues.back());
    return queues.back();
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
    if (index < 0 || index >= static_cast<int32>(slots.size()))
        return nullptr;
    return slots[static_cast<size_t>(index)];
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index)
{
    for (size_t i = 0; i < slots.size(); ++i)
    {
        if (slots[i] && slots[i]->getParameterId() == id)
        {
            index = static_cast<int32>(i);
            return slots[i];
        }
    }
    index = static_cast<int32>(slots.size());
    return &queue(id);
}

} // namespace ferrulith_test
