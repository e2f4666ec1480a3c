#include "controller/ferrulitheditor.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/coffscreencontext.h"
#include "vstgui/lib/platform/platformfactory.h"
#include "vstgui/uidescription/uidescription.h"

#include <cstdio>
#include <memory>

namespace quorvelware
{

DEF_CLASS_IID(IPlugViewSnapshot)

using namespace Steinberg;
using namespace VSTGUI;

namespace
{

tresult writePicture(CFrame& frame, const char* path)
{
    const CRect area(CPoint(), frame.getViewSize().getSize());
    const auto picture = renderBitmapOffscreen(
        area.getSize(), 1., [&](CDrawContext& context) { frame.drawRect(&context, area); });
    if (!picture)
        return kResultFalse;
    const PNGBitmapBuffer png =
        getPlatformFactory().createBitmapMemoryPNGRepresentation(picture->getPlatformBitmap());
    if (png.empty())
        return kResultFalse;
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return kResultFalse;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written ? kResultOk : kResultFalse;
}

// Views are let go of through forget(), whoever holds the last reference.
struct Forget
{
    void operator()(CView* view) const { view->forget(); }
};

} // namespace

FerrulithEditor::FerrulithEditor(Vst::EditController* controller, UTF8StringPtr templateName,
                                 UTF8StringPtr xmlFile)
    : VST3Editor(controller, templateName, xmlFile), templateName(templateName ? templateName : "")
{
}

tresult PLUGIN_API FerrulithEditor::drawToPNG(const char* path)
{
    if (path == nullptr)
        return kInvalidArgument;
    try
    {
        if (CFrame* shown = getFrame())
            return writePicture(*shown, path);
        const tresult result = drawClosedToPNG(path);
        // Lets go of the parameter bindings the picture's controls took.
        close();
        return result;
    }
    catch (...)
    {
        return kResultFalse;
    }
}

tresult FerrulithEditor::drawClosedToPNG(const char* path)
{
    const ViewRect& size = getRect();
    UIDescription* description = getUIDescription();
    if (size.getWidth() <= 0 || size.getHeight() <= 0 || description == nullptr)
        return kResultFalse;
    CView* root = description->createView(templateName.c_str(), this);
    if (root == nullptr)
        return kResultFalse;
    const CRect area(0, 0, size.getWidth(), size.getHeight());
    std::unique_ptr<CFrame, Forget> frame(new CFrame(area, this));
    // The template's view fills the editor whatever size the host gave it.
    root->setViewSize(area, false);
    frame->addView(root);
    return writePicture(*frame, path);
}

tresult PLUGIN_API FerrulithEditor::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, IPlugViewSnapshot_iid, IPlugViewSnapshot)
    return VST3Editor::queryInterface(iid, obj);
}

} // namespace quorvelware
