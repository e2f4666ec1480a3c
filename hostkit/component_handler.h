#pragma once

// What the controller calls on its host: edits made in the controller (its
// editor, or the host itself) are kept for the processor's next block, and a
// restart request tells the host to re-read the controller's values.

#include "hostkit/host_object.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <functional>
#include <utility>
#include <vector>

namespace ferrulith::host
{

class ComponentHandler final : public HostObject<Steinberg::Vst::IComponentHandler>
{
public:
    using Edit = std::pair<Steinberg::Vst::ParamID, Steinberg::Vst::ParamValue>;
    using RestartListener = std::function<void(Steinberg::int32 flags)>;

    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                              Steinberg::Vst::ParamValue valueNormalized) override;
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
    // Re-reading values is all this host can do on request; other restarts
    // (latency, bus layout, reload) are reported as not implemented.
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;

    // Hands over the edits made since the last call, oldest first.
    std::vector<Edit> takeEdits() { return std::exchange(edits, {}); }
    const std::vector<Edit>& pendingEdits() const { return edits; }

    void setRestartListener(RestartListener listener) { onRestart = std::move(listener); }
    int restartCount() const { return restarts; }
    int openGestures() const { return gestures; }

private:
    std::vector<Edit> edits;
    RestartListener onRestart;
    int restarts = 0;
    int gestures = 0;
};

} // namespace ferrulith::host
