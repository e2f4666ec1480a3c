#include "hostkit/parameter_changes.h"

namespace ferrulith::host
{

using namespace Steinberg;
using namespace Steinberg::Vst;

ParamValueQueue::ParamValueQueue(int32 capacity) : points(std::size_t(capacity > 0 ? capacity : 1))
{
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value)
{
    if (index < 0 || index >= count)
        return kResultFalse;
    sampleOffset = points[std::size_t(index)].offset;
    value = points[std::size_t(index)].value;
    return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index)
{
    int32 at = 0;
    while (at < count && points[std::size_t(at)].offset < sampleOffset)
        ++at;
    if (at < count && points[std::size_t(at)].offset == sampleOffset)
    {
        points[std::size_t(at)].value = value;
        index = at;
        return kResultOk;
    }
    if (count == int32(points.size()))
        return kResultFalse;
    for (int32 k = count; k > at; --k)
        points[std::size_t(k)] = points[std::size_t(k - 1)];
    points[std::size_t(at)] = {sampleOffset, value};
    ++count;
    index = at;
    return kResultOk;
}

void ParamValueQueue::reset(ParamID newId)
{
    id = newId;
    count = 0;
}

ParameterChanges::ParameterChanges(int32 parameterCapacity, int32 pointCapacity)
{
    queues.reserve(std::size_t(parameterCapacity > 0 ? parameterCapacity : 1));
    while (queues.size() < queues.capacity())
        queues.push_back(makeHostObject<ParamValueQueue>(pointCapacity));
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
    if (index < 0 || index >= count)
        return nullptr;
    return queues[std::size_t(index)].get();
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index)
{
    for (int32 k = 0; k < count; ++k)
    {
        if (queues[std::size_t(k)]->getParameterId() == id)
        {
            index = k;
            return queues[std::size_t(k)].get();
        }
    }
    if (count == int32(queues.size()))
        return nullptr;
    queues[std::size_t(count)]->reset(id);
    index = count;
    return queues[std::size_t(count++)].get();
}

void ParameterChanges::clear()
{
    count = 0;
}

bool ParameterChanges::add(ParamID id, ParamValue value, int32 sampleOffset)
{
    int32 index = 0;
    IParamValueQueue* queue = addParameterData(id, index);
    int32 pointIndex = 0;
    return queue && queue->addPoint(sampleOffset, value, pointIndex) == kResultOk;
}

} // namespace ferrulith::host
