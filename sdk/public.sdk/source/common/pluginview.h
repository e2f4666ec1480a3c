// Base of a plug-in's editor view: the IPlugView bookkeeping (size, parent
// window, frame) that every editor needs, with hooks for attach and remove.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg
{

class CPluginView : public FObject, public IPlugView
{
public:
    explicit CPluginView(const ViewRect* rect = nullptr);
    ~CPluginView() override;

    const ViewRect& getRect() const { return rect; }
    void setRect(const ViewRect& r) { rect = r; }

    bool isAttached() const { return systemWindow != nullptr; }

    // Called after attached() has recorded the parent, and after removed()
    // has forgotten it.
    virtual void attachedToParent() {}
    virtual void removedFromParent() {}

    // IPlugView
    tresult PLUGIN_API isPlatformTypeSupported(FIDString type) override;
    tresult PLUGIN_API attached(void* parent, FIDString type) override;
    tresult PLUGIN_API removed() override;
    tresult PLUGIN_API onWheel(float distance) override;
    tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) override;
    tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) override;
    tresult PLUGIN_API getSize(ViewRect* size) override;
    tresult PLUGIN_API onSize(ViewRect* newSize) override;
    tresult PLUGIN_API onFocus(TBool state) override;
    tresult PLUGIN_API setFrame(IPlugFrame* frame) override;
    tresult PLUGIN_API canResize() override;
    tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) override;

    OBJ_METHODS(CPluginView, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IPlugView)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

protected:
    ViewRect rect{};
    void* systemWindow{nullptr};
    IPtr<IPlugFrame> plugFrame;
};

} // namespace Steinberg
