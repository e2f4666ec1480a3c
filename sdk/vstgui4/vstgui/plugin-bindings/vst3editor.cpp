#include "vstgui/plugin-bindings/vst3editor.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/plugin-bindings/pendingparameterchanges.h"
#include "vstgui/plugin-bindings/vst3parameterbinding.h"
#include "vstgui/uidescription/uidescription.h"
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace VSTGUI
{

using namespace Steinberg;

namespace
{
// Editor sizes are whole pixels, at least one, at most what X11 can show.
int32 pixels(CCoord value)
{
    if (!(value >= 1))
        return 1;
    return static_cast<int32>(std::min<CCoord>(std::floor(value), 32767));
}
} // namespace

VST3Editor::VST3Editor(Vst::EditController* controller, UTF8StringPtr templateName,
                       UTF8StringPtr xmlFile)
    : VSTGUIEditor(controller), description(std::make_unique<UIDescription>(xmlFile)),
      templateName(templateName ? templateName : "")
{
    if (!description->parse())
        return;
    const UIAttributes* attributes = description->getViewAttributes(this->templateName.c_str());
    CPoint size;
    if (!attributes || !attributes->getPointAttribute("size", size))
        return;
    rect = ViewRect(0, 0, pixels(size.x), pixels(size.y));
    minSize = maxSize = CPoint(rect.getWidth(), rect.getHeight());
    CPoint limit;
    if (attributes->getPointAttribute("minSize", limit))
        minSize = CPoint(std::min<CCoord>(pixels(limit.x), rect.getWidth()),
                         std::min<CCoord>(pixels(limit.y), rect.getHeight()));
    if (attributes->getPointAttribute("maxSize", limit))
        maxSize = CPoint(std::max<CCoord>(pixels(limit.x), rect.getWidth()),
                         std::max<CCoord>(pixels(limit.y), rect.getHeight()));
    // The largest surface it may draw into (a picture at its largest size)
    // counts with the description; an editor that cannot have it shows nothing.
    if (!description->memoryBudget().charge(
            surfaceBytes(static_cast<uint64_t>(maxSize.x), static_cast<uint64_t>(maxSize.y))))
    {
        rect = ViewRect();
        minSize = maxSize = CPoint();
    }
}

VST3Editor::~VST3Editor()
{
    destroyFrame();
}

bool VST3Editor::buildFrame()
{
    if (frame || rect.getWidth() <= 0 || rect.getHeight() <= 0)
        return false;
    CView* root = description->createView(templateName.c_str(), this);
    if (!root)
    {
        bindings.clear();
        return false;
    }
    frame = new CFrame(CRect(0, 0, rect.getWidth(), rect.getHeight()), this);
    // The template's view fills the editor whatever size the host gives it.
    root->setViewSize(CRect(0, 0, rect.getWidth(), rect.getHeight()), false);
    frame->addView(root);
    return true;
}

void VST3Editor::destroyFrame()
{
    if (frame)
        frame->close(); // ends a gesture in progress while its binding still lives
    for (auto& entry : bindings)
        entry.second->clearControls();
    delete frame;
    frame = nullptr;
    bindings.clear();
    pending.reset();
}

bool PLUGIN_API VST3Editor::open(void* parent, const PlatformType& type)
{
    if (!buildFrame())
        return false;
    if (!frame->open(parent, type, getFrameConfig()))
    {
        destroyFrame();
        return false;
    }
    return true;
}

void PLUGIN_API VST3Editor::close()
{
    destroyFrame();
}

tresult PLUGIN_API VST3Editor::checkSizeConstraint(ViewRect* newRect)
{
    if (!newRect)
        return kInvalidArgument;
    if (rect.getWidth() <= 0)
        return kResultFalse;
    // Measured and placed in 64 bits: a host's rectangle may span the whole
    // int32 range, and the result must stay representable where it is.
    auto span = [](int32 from, int32 to) { return static_cast<int64>(to) - from; };
    int64 width = std::clamp<int64>(span(newRect->left, newRect->right),
                                    static_cast<int64>(minSize.x), static_cast<int64>(maxSize.x));
    int64 height = std::clamp<int64>(span(newRect->top, newRect->bottom),
                                     static_cast<int64>(minSize.y), static_cast<int64>(maxSize.y));
    newRect->left = static_cast<int32>(std::min<int64>(newRect->left, INT32_MAX - width));
    newRect->top = static_cast<int32>(std::min<int64>(newRect->top, INT32_MAX - height));
    newRect->right = static_cast<int32>(newRect->left + width);
    newRect->bottom = static_cast<int32>(newRect->top + height);
    return kResultTrue;
}

tresult PLUGIN_API VST3Editor::canResize()
{
    return minSize != maxSize ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VST3Editor::onSize(ViewRect* newSize)
{
    if (!newSize)
        return kInvalidArgument;
    ViewRect size = *newSize;
    if (checkSizeConstraint(&size) != kResultTrue)
        return kResultFalse;
    rect = size;
    if (frame)
    {
        try
        {
            frame->setSize(size.getWidth(), size.getHeight());
            if (CView* root = frame->getView(0))
                root->setViewSize(CRect(0, 0, size.getWidth(), size.getHeight()));
            frame->invalid();
        }
        catch (...)
        {
            return kOutOfMemory;
        }
    }
    return kResultTrue;
}

VST3ParameterBinding* VST3Editor::bindingFor(const CControl* control) const
{
    auto it = bindings.find(control->getTag());
    return it == bindings.end() ? nullptr : it->second.get();
}

void VST3Editor::valueChanged(CControl* control)
{
    if (auto* binding = bindingFor(control))
        binding->performEdit(binding->normalizedFrom(*control));
}

void VST3Editor::controlBeginEdit(CControl* control)
{
    if (auto* binding = bindingFor(control))
        binding->beginEdit();
}

void VST3Editor::controlEndEdit(CControl* control)
{
    if (auto* binding = bindingFor(control))
        binding->endEdit();
}

CView* VST3Editor::verifyView(CView* view, const UIAttributes&, const UIDescription*)
{
    auto* control = dynamic_cast<CControl*>(view);
    if (!control || control->getTag() < 0 || !controller)
        return view;
    auto id = static_cast<Vst::ParamID>(control->getTag());
    // Made by the first control of a build: the thread that builds the views
    // is the one that runs them.
    if (!pending)
        pending = std::make_shared<PendingParameterChanges>();
    auto& binding = bindings[control->getTag()];
    if (!binding)
    {
        Vst::Parameter* parameter = controller->getParameterObject(id);
        if (!parameter)
        {
            bindings.erase(control->getTag());
            return view;
        }
        binding = IPtr<VST3ParameterBinding>(
            new VST3ParameterBinding(controller, parameter, pending), false);
    }
    binding->addControl(control);
    return view;
}

void VST3Editor::onIdle()
{
    if (!pending)
        return;
    for (Vst::ParamID id : pending->take())
        if (auto it = bindings.find(static_cast<int32_t>(id)); it != bindings.end())
            it->second->refreshControls();
}

} // namespace VSTGUI
