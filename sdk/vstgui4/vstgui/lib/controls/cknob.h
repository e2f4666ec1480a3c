// Rotary controls: dragging up or down and turning the wheel change the value.
// CKnob draws itself with vectors; CAnimKnob shows one frame of a film strip.
#pragma once

#include "vstgui/lib/controls/ccontrol.h"

namespace VSTGUI
{

class CKnobBase : public CControl
{
public:
    CKnobBase(const CRect& size, IControlListener* listener, int32_t tag,
              CBitmapRef background = nullptr);

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    // Pixels of vertical travel that sweep the whole range.
    static constexpr CCoord kDragRange = 200;

private:
    bool dragging{false};
    CCoord dragStartY{0};
    float dragStartValue{0};
};

class CKnob : public CKnobBase
{
public:
    enum DrawStyle
    {
        kHandleCircleDrawing = 1 << 0,
        kCoronaDrawing = 1 << 1,
    };

    CKnob(const CRect& size, IControlListener* listener, int32_t tag,
          CBitmapRef background = nullptr);

    void setStartAngle(float degrees) { startAngle = degrees; }
    float getStartAngle() const { return startAngle; }
    void setRangeAngle(float degrees) { rangeAngle = degrees; }
    float getRangeAngle() const { return rangeAngle; }
    void setDrawStyle(int32_t style) { drawStyle = style; }
    int32_t getDrawStyle() const { return drawStyle; }
    void setCoronaColor(const CColor& color) { coronaColor = color; }
    void setColorHandle(const CColor& color) { handleColor = color; }
    void setColorShadowHandle(const CColor& color) { shadowColor = color; }
    void setHandleLineWidth(CCoord width) { handleLineWidth = width; }
    void setCoronaInset(CCoord inset) { coronaInset = inset; }
    void setCoronaLineWidth(CCoord width) { coronaLineWidth = width; }

    void draw(CDrawContext* context) override;

private:
    float startAngle{135.f};
    float rangeAngle{270.f};
    int32_t drawStyle{0};
    CColor coronaColor{kWhiteCColor};
    CColor handleColor{kWhiteCColor};
    CColor shadowColor{kGreyCColor};
    CCoord handleLineWidth{1};
    CCoord coronaInset{0};
    CCoord coronaLineWidth{1};
};

class CAnimKnob : public CKnobBase
{
public:
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag,
              CBitmapRef background = nullptr);

    void setHeightOfOneImage(CCoord height) { heightOfOneImage = height; }
    CCoord getHeightOfOneImage() const { return heightOfOneImage; }
    void setNumSubPixmaps(int32_t count) { subPixmaps = count; }
    int32_t getNumSubPixmaps() const { return subPixmaps; }

    void draw(CDrawContext* context) override;

private:
    CCoord heightOfOneImage{0};
    int32_t subPixmaps{0};
};

} // namespace VSTGUI
