// The base of everything on screen: a rectangle in its parent's coordinates
// that draws itself and may take mouse events.
#pragma once

#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/crect.h"
#include "vstgui/lib/vstguifwd.h"

namespace VSTGUI
{

class CView
{
public:
    explicit CView(const CRect& size);
    virtual ~CView() noexcept = default;
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;

    // A view has one owner: its container, or whoever made it until it is
    // added to one. That owner lets go of it here.
    void forget() { delete this; }

    virtual void draw(CDrawContext* context);

    // where is in the parent's coordinates, like getViewSize().
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseCancel();
    virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);

    const CRect& getViewSize() const { return size; }
    virtual void setViewSize(const CRect& newSize, bool doInvalid = true);
    CCoord getWidth() const { return size.getWidth(); }
    CCoord getHeight() const { return size.getHeight(); }

    bool isVisible() const { return visible; }
    void setVisible(bool state);
    bool getMouseEnabled() const { return mouseEnabled; }
    void setMouseEnabled(bool state) { mouseEnabled = state; }
    bool getTransparency() const { return transparent; }
    void setTransparency(bool state);

    // Asks the frame, if the view is in one, to redraw soon.
    virtual void invalid();
    void setDirty(bool state = true)
    {
        if (state)
            invalid();
    }

    CViewContainer* getParentView() const { return parent; }
    CFrame* getFrame() const;
    // Converts between frame coordinates and this view's parent's coordinates.
    CPoint frameToParent(const CPoint& where) const;
    CPoint parentToFrame(const CPoint& where) const;

    // Only a container calls this, when it adopts or releases the view.
    void setParentView(CViewContainer* newParent) { parent = newParent; }

private:
    CRect size;
    CViewContainer* parent{nullptr};
    bool visible{true};
    bool mouseEnabled{true};
    bool transparent{false};
};

} // namespace VSTGUI
