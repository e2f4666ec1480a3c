// A view with a value between a minimum and a maximum and a tag that names
// what it edits. User gestures bracket their changes in beginEdit/endEdit and
// report each change through valueChanged.
#pragma once

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/controls/icontrollistener.h"
#include "vstgui/lib/cview.h"

namespace VSTGUI
{

class CControl : public CView
{
public:
    CControl(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
             CBitmapRef background = nullptr);

    // Stores the value, bounded to [min, max].
    virtual void setValue(float value);
    float getValue() const { return value; }
    virtual void setValueNormalized(float normalized);
    float getValueNormalized() const;
    virtual void setMin(float newMin) { minValue = newMin; }
    float getMin() const { return minValue; }
    virtual void setMax(float newMax) { maxValue = newMax; }
    float getMax() const { return maxValue; }
    float getRange() const { return maxValue - minValue; }
    void setDefaultValue(float newDefault) { defaultValue = newDefault; }
    float getDefaultValue() const { return defaultValue; }
    void setWheelInc(float increment) { wheelInc = increment; }
    float getWheelInc() const { return wheelInc; }

    void setTag(int32_t newTag) { tag = newTag; }
    int32_t getTag() const { return tag; }
    void setListener(IControlListener* newListener) { listener = newListener; }
    IControlListener* getListener() const { return listener; }

    void setBackground(const CBitmapRef& bitmap);
    const CBitmapRef& getDrawBackground() const { return background; }

    // Tells the listener that a user gesture changed the value.
    virtual void valueChanged();
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return editing > 0; }

private:
    IControlListener* listener;
    int32_t tag;
    CBitmapRef background;
    float value{0.f};
    float minValue{0.f};
    float maxValue{1.f};
    float defaultValue{0.5f};
    float wheelInc{0.1f};
    int32_t editing{0};
};

} // namespace VSTGUI
