#include "public.sdk/source/common/pluginview.h"

namespace Steinberg
{

CPluginView::CPluginView(const ViewRect* initialRect)
{
    if (initialRect != nullptr)
        rect = *initialRect;
}

CPluginView::~CPluginView() = default;

tresult PLUGIN_API CPluginView::isPlatformTypeSupported(FIDString /*type*/)
{
    return kNotImplemented;
}

tresult PLUGIN_API CPluginView::attached(void* parent, FIDString /*type*/)
{
    systemWindow = parent;
    attachedToParent();
    return kResultOk;
}

tresult PLUGIN_API CPluginView::removed()
{
    systemWindow = nullptr;
    removedFromParent();
    return kResultOk;
}

tresult PLUGIN_API CPluginView::onWheel(float /*distance*/)
{
    return kResultFalse;
}

tresult PLUGIN_API CPluginView::onKeyDown(char16 /*key*/, int16 /*keyCode*/, int16 /*modifiers*/)
{
    return kResultFalse;
}

tresult PLUGIN_API CPluginView::onKeyUp(char16 /*key*/, int16 /*keyCode*/, int16 /*modifiers*/)
{
    return kResultFalse;
}

tresult PLUGIN_API CPluginView::getSize(ViewRect* size)
{
    if (size == nullptr)
        return kInvalidArgument;
    *size = rect;
    return kResultTrue;
}

tresult PLUGIN_API CPluginView::onSize(ViewRect* newSize)
{
    if (newSize != nullptr)
        rect = *newSize;
    return kResultTrue;
}

tresult PLUGIN_API CPluginView::onFocus(TBool /*state*/)
{
    return kResultFalse;
}

tresult PLUGIN_API CPluginView::setFrame(IPlugFrame* frame)
{
    plugFrame = frame;
    return kResultTrue;
}

tresult PLUGIN_API CPluginView::canResize()
{
    return kResultFalse;
}

tresult PLUGIN_API CPluginView::checkSizeConstraint(ViewRect* /*rect*/)
{
    return kResultFalse;
}

} // namespace Steinberg
