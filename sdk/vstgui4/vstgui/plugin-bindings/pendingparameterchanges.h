// Parameter changes that reach an editor on a thread other than its own. The
// VST 3 rules keep controller calls on the UI thread, but some hosts set
// parameters from others, and views may only be touched by the editor's
// thread: such a change is noted here, and the editor's thread takes the
// notes on its next turn of the run loop.
// Thread contract: made on the editor's thread; post() from any thread;
// take() on the editor's thread only.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace VSTGUI
{

class PendingParameterChanges
{
public:
    bool onEditorThread() const { return std::this_thread::get_id() == editorThread; }
    // Notes that id changed; a parameter noted twice is taken once.
    void post(Steinberg::Vst::ParamID id);
    // The parameters noted since the last call, in the order first noted.
    std::vector<Steinberg::Vst::ParamID> take();

private:
    const std::thread::id editorThread{std::this_thread::get_id()};
    std::atomic<bool> anyPosted{false};
    std::mutex mutex;
    std::vector<Steinberg::Vst::ParamID> posted;
};

} // namespace VSTGUI
