#include "hostkit/parameter_changes.h"

#include <stdexcept>

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

ParamValueQueue& ParamValueQueue::point(int32 sampleOffset, ParamValue value)
{
    int32 index = 0;
    if (addPoint(sampleOffset, value, index) != kResultOk)
        throw std::length_error("parameter queue full");
    return *this;
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
    listed.reserve(queues.size());
}

int32 PLUGIN_API ParameterChanges::getParameterCount()
{
    return int32(listed.size());
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
    if (index < 0 || index >= int32(listed.size()))
        return nullptr;
    return listed[std::size_t(index)];
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index)
{
    for (std::size_t k = 0; k < listed.size(); ++k)
    {
        if (listed[k] && listed[k]->getParameterId() == id)
        {
            index = int32(k);
            return listed[k];
        }
    }
    ParamValueQueue* queue = listFreeQueue(id);
    if (queue)
        index = int32(listed.size()) - 1;
    return queue;
}

void ParameterChanges::clear()
{
    used = 0;
    listed.clear();
}

bool ParameterChanges::add(ParamID id, ParamValue value, int32 sampleOffset)
{
    int32 index = 0;
    IParamValueQueue* queue = addParameterData(id, index);
    int32 pointIndex = 0;
    return queue && queue->addPoint(sampleOffset, value, pointIndex) == kResultOk;
}

ParamValueQueue& ParameterChanges::appendQueue(ParamID id)
{
    ParamValueQueue* queue = listFreeQueue(id);
    if (!queue)
        throw std::length_error("parameter list full");
    return *queue;
}

ParamValueQueue* ParameterChanges::listFreeQueue(ParamID id)
{
    if (used == int32(queues.size()) || listed.size() == listed.capacity())
        return nullptr;
    ParamValueQueue* queue = queues[std::size_t(used++)].get();
    queue->reset(id);
    listed.push_back(queue);
    return queue;
}

void ParameterChanges::appendForeign(IParamValueQueue* queue)
{
    if (listed.size() == listed.capacity())
        throw std::length_error("parameter list full");
    listed.push_back(queue);
}

} // namespace ferrulith::host
