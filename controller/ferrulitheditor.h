// The plug-in's editor: VSTGUI's editor built from the UI description, which
// can also draw itself into a PNG file without any display (for the project's
// host and tests, which have no window to capture).
#pragma once

#include "common/plugviewsnapshot.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <string>

namespace quorvelware
{

class FerrulithEditor : public VSTGUI::VST3Editor, public IPlugViewSnapshot
{
public:
    FerrulithEditor(Steinberg::Vst::EditController* controller, VSTGUI::UTF8StringPtr templateName,
                    VSTGUI::UTF8StringPtr xmlFile);

    // IPlugViewSnapshot: an open editor is drawn as it is shown; a closed one
    // is built for the picture as opening would build it.
    Steinberg::tresult PLUGIN_API drawToPNG(const char* path) override;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return VST3Editor::addRef(); }
    Steinberg::uint32 PLUGIN_API release() override { return VST3Editor::release(); }

private:
    Steinberg::tresult drawClosedToPNG(const char* path);

    std::string templateName;
};

} // namespace quorvelware
