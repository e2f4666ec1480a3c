// A parameter queue as a broken or careless host makes it, holding one point:
// either no index can be read, or it claims a point count other than one and
// answers its point for any index asked.
#pragma once

#include "hostkit/host_object.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

namespace ferrulith::test
{

class OddQueue final : public host::HostObject<Steinberg::Vst::IParamValueQueue>
{
public:
    static constexpr Steinberg::int32 kRefusesReads = 1;
    OddQueue(Steinberg::Vst::ParamID id, Steinberg::int32 claimedCount,
             Steinberg::int32 behaviour = 0, Steinberg::Vst::ParamValue value = 1.0)
        : id(id), claimedCount(claimedCount), refusing(behaviour == kRefusesReads), value(value)
    {
    }
    Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return id; }
    Steinberg::int32 PLUGIN_API getPointCount() override { return refusing ? 1 : claimedCount; }
    Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32, Steinberg::int32& sampleOffset,
                                           Steinberg::Vst::ParamValue& answer) override
    {
        if (refusing)
            return Steinberg::kResultFalse;
        sampleOffset = 0;
        answer = value;
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32, Steinberg::Vst::ParamValue,
                                           Steinberg::int32&) override
    {
        return Steinberg::kResultFalse;
    }

private:
    Steinberg::Vst::ParamID id;
    Steinberg::int32 claimedCount;
    bool refusing;
    Steinberg::Vst::ParamValue value;
};

} // namespace ferrulith::test
