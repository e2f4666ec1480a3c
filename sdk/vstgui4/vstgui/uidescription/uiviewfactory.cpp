#include "vstgui/uidescription/uiviewfactory.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/uidescription/icontroller.h"
#include "vstgui/uidescription/uiviewcreatorhelpers.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace VSTGUI
{

using namespace ViewCreator;

namespace
{
CRect rectFrom(const UIAttributes& a)
{
    CPoint origin;
    CPoint size;
    a.getPointAttribute("origin", origin);
    a.getPointAttribute("size", size);
    // Within what a window can show: far larger coordinates put cairo into an
    // error state that stops all drawing of the editor.
    auto coordinate = [](CCoord v, CCoord low) { return std::clamp<CCoord>(v, low, 32767); };
    origin = CPoint(coordinate(origin.x, -32768), coordinate(origin.y, -32768));
    size = CPoint(coordinate(size.x, 0), coordinate(size.y, 0));
    return CRect(origin, size);
}

void applyViewAttributes(CView& view, const UIAttributes& a)
{
    bool value = false;
    if (a.getBooleanAttribute("transparent", value))
        view.setTransparency(value);
    if (a.getBooleanAttribute("mouse-enabled", value))
        view.setMouseEnabled(value);
    if (a.getBooleanAttribute("visible", value))
        view.setVisible(value);
}

void applyContainer(CViewContainer& view, const UIAttributes& a, const UIDescription& d)
{
    CColor color;
    if (colorAttribute(a, d, "background-color", color))
        view.setBackgroundColor(color);
    if (auto bitmap = bitmapAttribute(a, d, "bitmap"))
        view.setBackground(bitmap);
}

void applyControl(CControl& control, const UIAttributes& a, const UIDescription& d,
                  IController* controller)
{
    control.setListener(controller);
    if (const std::string* tag = a.getAttributeValue("control-tag"))
        control.setTag(d.getTagForName(tag->c_str()));
    double number = 0;
    if (a.getDoubleAttribute("min-value", number))
        control.setMin(static_cast<float>(number));
    if (a.getDoubleAttribute("max-value", number))
        control.setMax(static_cast<float>(number));
    if (a.getDoubleAttribute("default-value", number))
        control.setDefaultValue(static_cast<float>(number));
    if (a.getDoubleAttribute("wheel-inc-value", number))
        control.setWheelInc(static_cast<float>(number));
    if (auto bitmap = bitmapAttribute(a, d, "bitmap"))
        control.setBackground(bitmap);
}

void applyParamDisplay(CParamDisplay& display, const UIAttributes& a, const UIDescription& d)
{
    if (const std::string* name = a.getAttributeValue("font"))
        if (auto font = d.getFont(name->c_str()))
            display.setFont(font);
    CColor color;
    if (colorAttribute(a, d, "font-color", color))
        display.setFontColor(color);
    if (colorAttribute(a, d, "back-color", color))
        display.setBackColor(color);
    if (colorAttribute(a, d, "frame-color", color))
        display.setFrameColor(color);
    CHoriTxtAlign align = kCenterText;
    if (alignAttribute(a, align))
        display.setHoriAlign(align);
    int32_t style = display.getStyle();
    bool value = false;
    if (a.getBooleanAttribute("style-no-frame", value))
        style = value ? (style | CParamDisplay::kNoFrame) : (style & ~CParamDisplay::kNoFrame);
    if (a.getBooleanAttribute("style-no-draw", value))
        style =
            value ? (style | CParamDisplay::kNoDrawStyle) : (style & ~CParamDisplay::kNoDrawStyle);
    display.setStyle(style);
}

void applyKnob(CKnob& knob, const UIAttributes& a, const UIDescription& d)
{
    CColor color;
    if (colorAttribute(a, d, "corona-color", color))
        knob.setCoronaColor(color);
    if (colorAttribute(a, d, "handle-color", color))
        knob.setColorHandle(color);
    if (colorAttribute(a, d, "handle-shadow-color", color))
        knob.setColorShadowHandle(color);
    double number = 0;
    if (a.getDoubleAttribute("handle-line-width", number))
        knob.setHandleLineWidth(std::max(0.0, number));
    if (a.getDoubleAttribute("corona-inset", number))
        knob.setCoronaInset(std::max(0.0, number));
    if (a.getDoubleAttribute("corona-line-width", number))
        knob.setCoronaLineWidth(std::max(0.0, number));
    if (a.getDoubleAttribute("angle-start", number))
        knob.setStartAngle(static_cast<float>(number));
    if (a.getDoubleAttribute("angle-range", number))
        knob.setRangeAngle(static_cast<float>(number));
    int32_t style = 0;
    if (flag(a, "circle-drawing"))
        style |= CKnob::kHandleCircleDrawing;
    if (flag(a, "corona-drawing"))
        style |= CKnob::kCoronaDrawing;
    knob.setDrawStyle(style);
}

void applyAnimKnob(CAnimKnob& knob, const UIAttributes& a)
{
    double height = 0;
    if (a.getDoubleAttribute("height-of-one-image", height) && height > 0)
        knob.setHeightOfOneImage(height);
    int32_t count = 0;
    if (a.getIntegerAttribute("sub-pixmaps", count) && count > 0)
        knob.setNumSubPixmaps(count);
}

CView* makeView(const std::string& className, const CRect& size)
{
    if (className == "CViewContainer")
        return new CViewContainer(size);
    if (className == "CTextLabel")
        return new CTextLabel(size);
    if (className == "CParamDisplay")
        return new CParamDisplay(size);
    if (className == "CKnob")
        return new CKnob(size, nullptr, -1);
    if (className == "CAnimKnob")
        return new CAnimKnob(size, nullptr, -1);
    if (className == "COnOffButton")
        return new COnOffButton(size);
    if (className == "COptionMenu")
        return new COptionMenu(size);
    if (className == "CView")
        return new CView(size);
    return nullptr;
}
} // namespace

CView* UIViewFactory::createView(const UIAttributes& a, const UIDescription& d,
                                 IController* controller)
{
    const std::string* className = a.getAttributeValue("class");
    std::unique_ptr<CView> view(
        makeView(className ? *className : std::string("CViewContainer"), rectFrom(a)));
    if (!view)
        return nullptr;
    applyViewAttributes(*view, a);
    if (auto* container = dynamic_cast<CViewContainer*>(view.get()))
        applyContainer(*container, a, d);
    if (auto* control = dynamic_cast<CControl*>(view.get()))
        applyControl(*control, a, d, controller);
    if (auto* display = dynamic_cast<CParamDisplay*>(view.get()))
        applyParamDisplay(*display, a, d);
    if (auto* label = dynamic_cast<CTextLabel*>(view.get()))
        if (const std::string* title = a.getAttributeValue("title"))
            label->setText(title->c_str());
    if (auto* knob = dynamic_cast<CKnob*>(view.get()))
        applyKnob(*knob, a, d);
    if (auto* animKnob = dynamic_cast<CAnimKnob*>(view.get()))
        applyAnimKnob(*animKnob, a);
    return view.release();
}

} // namespace VSTGUI
