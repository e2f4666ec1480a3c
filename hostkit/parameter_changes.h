#pragma once

// The parameter changes a host hands to `process`. All storage is set aside
// when the object is made, so filling and reading the queues never allocates
// on the audio thread; a full queue or list refuses further entries.

#include "hostkit/host_object.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <vector>

namespace ferrulith::host
{

class ParamValueQueue final : public HostObject<Steinberg::Vst::IParamValueQueue>
{
public:
    explicit ParamValueQueue(Steinberg::int32 capacity);

    Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return id; }
    Steinberg::int32 PLUGIN_API getPointCount() override { return count; }
    Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                           Steinberg::Vst::ParamValue& value) override;
    // Keeps the points ordered by offset; a second point at the same offset
    // replaces the first.
    Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset,
                                           Steinberg::Vst::ParamValue value,
                                           Steinberg::int32& index) override;

    // addPoint, for writing a queue out in one expression.
    ParamValueQueue& point(Steinberg::int32 sampleOffset, Steinberg::Vst::ParamValue value);
    void reset(Steinberg::Vst::ParamID newId);

private:
    struct Point
    {
        Steinberg::int32 offset;
        Steinberg::Vst::ParamValue value;
    };
    Steinberg::Vst::ParamID id = 0;
    std::vector<Point> points; // sized once; `count` of them are in use
    Steinberg::int32 count = 0;
};

class ParameterChanges final : public HostObject<Steinberg::Vst::IParameterChanges>
{
public:
    ParameterChanges(Steinberg::int32 parameterCapacity = 16, Steinberg::int32 pointCapacity = 16);

    Steinberg::int32 PLUGIN_API getParameterCount() override;
    Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
    // Answers the queue that already holds `id`, else the next free one.
    Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                  Steinberg::int32& index) override;

    // Empties every queue for the next block.
    void clear();
    // Adds one point; false when the list or the queue is full.
    bool add(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value,
             Steinberg::int32 sampleOffset = 0);

    // The shapes other hosts send: a further queue for an identifier that
    // already has one, and a queue made elsewhere (or none at all, null) in
    // the list. Both throw std::length_error when the list is full.
    ParamValueQueue& appendQueue(Steinberg::Vst::ParamID id);
    void appendForeign(Steinberg::Vst::IParamValueQueue* queue);

private:
    // The next unused queue, emptied for `id` and listed last; null when the
    // queues or the list are used up.
    ParamValueQueue* listFreeQueue(Steinberg::Vst::ParamID id);

    std::vector<VstPtr<ParamValueQueue>> queues;
    Steinberg::int32 used = 0;                             // of `queues`
    std::vector<Steinberg::Vst::IParamValueQueue*> listed; // reserved once
};

} // namespace ferrulith::host
