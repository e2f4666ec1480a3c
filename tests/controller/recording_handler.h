// A host's component handler that records what the controller sends it.
#pragma once

#include "hostkit/host_object.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <vector>

namespace ferrulith::test
{

using host::HostObject;

class RecordingHandler : public HostObject<Steinberg::Vst::IComponentHandler>
{
public:
    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID) override
    {
        ++edits;
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID,
                                              Steinberg::Vst::ParamValue) override
    {
        ++edits;
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID) override
    {
        ++edits;
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override
    {
        restarts.push_back(flags);
        return Steinberg::kResultOk;
    }

    int edits = 0;
    std::vector<Steinberg::int32> restarts;
};

} // namespace ferrulith::test
