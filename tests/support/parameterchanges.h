// The parameter changes a host hands to process(): one queue per changed
// parameter, each with its points, plus the odd shapes real hosts produce
// (a null queue, a queue whose points cannot be read).
#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "support/hostobject.h"

#include <deque>
#include <utility>
#include <vector>

namespace ferrulith_test
{

class ParamQueue : public HostObject<Steinberg::Vst::IParamValueQueue>
{
public:
    explicit ParamQueue(Steinberg::Vst::ParamID id) : id(id) {}

    ParamQueue& point(Steinberg::int32 offset, Steinberg::Vst::ParamValue value)
    {
        points.emplace_back(offset, value);
        return *this;
    }
    // getPoint then refuses every index, as a broken host queue would.
    ParamQueue& refuseReads()
    {
        refusing = true;
        return *this;
    }
    // getPointCount then answers `count` whatever the queue holds, and getPoint
    // answers the last point for any index, as a careless host queue would.
    ParamQueue& claimPointCount(Steinberg::int32 count)
    {
        claimedCount = count;
        claiming = true;
        return *this;
    }
    // How often the plug-in asked for a point.
    int pointReads() const { return reads; }

    Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return id; }
    Steinberg::int32 PLUGIN_API getPointCount() override
    {
        return claiming ? claimedCount : static_cast<Steinberg::int32>(points.size());
    }
    Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                           Steinberg::Vst::ParamValue& value) override;
    Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset,
                                           Steinberg::Vst::ParamValue value,
                                           Steinberg::int32& index) override;

private:
    Steinberg::Vst::ParamID id;
    std::vector<std::pair<Steinberg::int32, Steinberg::Vst::ParamValue>> points;
    bool refusing = false;
    bool claiming = false;
    Steinberg::int32 claimedCount = 0;
    int reads = 0;
};

class ParameterChanges : public HostObject<Steinberg::Vst::IParameterChanges>
{
public:
    // Appends a queue for id; the reference stays valid while this object
    // lives.
    ParamQueue& queue(Steinberg::Vst::ParamID id);
    // Appends an index whose queue is null.
    void nullQueue() { slots.push_back(nullptr); }

    Steinberg::int32 PLUGIN_API getParameterCount() override
    {
        return static_cast<Steinberg::int32>(slots.size());
    }
    Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
    Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                  Steinberg::int32& index) override;

private:
    std::deque<ParamQueue> queues;
    std::vector<ParamQueue*> slots;
};

} // namespace ferrulith_test
