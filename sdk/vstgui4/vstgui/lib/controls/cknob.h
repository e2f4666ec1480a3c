// Rotary controls. A drag follows the editor's knob mode: in the circular
// modes the value follows the pointer's angle around the centre, in linear
// mode its travel up and to the right; the wheel steps the value. CKnob draws
// itself with vectors; CAnimKnob shows one frame of a film strip.
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

    // Where the value's range lies on the dial, in degrees clockwise from
    // the positive x axis: by default from 135 (lower left) over 270.
    void setStartAngle(float degrees) { startAngle = degrees; }
    float getStartAngle() const { return startAngle; }
    void setRangeAngle(float degrees) { rangeAngle = degrees; }
    float getRangeAngle() const { return rangeAngle; }

    // Pixels of linear travel that sweep the whole range.
    static constexpr CCoord kDragRange = 200;

    // The value at where (in the knob's own coordinates) on the dial.
    float valueFromPoint(const CPoint& where) const;

protected:
    // Distance of the dial's edge from the view's edge.
    CCoord inset{0};

private:
    bool dragging{false};
    bool linear{false};
    CPoint firstPoint;
    CPoint lastPoint;
    float entryValue{0};
    float lastDialValue{0};
    float startAngle{135.f};
    float rangeAngle{270.f};
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
