// A view that holds and owns other views, drawn over an optional background
// colour and bitmap. Children's rectangles are relative to the container.
#pragma once

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cview.h"
#include <vector>

namespace VSTGUI
{

class CViewContainer : public CView
{
public:
    explicit CViewContainer(const CRect& size);
    ~CViewContainer() noexcept override;

    // Takes ownership of view; false (and the view deleted) for a null view.
    virtual bool addView(CView* view);
    // Removes and, with withForget, deletes the view.
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    uint32_t getNbViews() const { return static_cast<uint32_t>(children.size()); }
    CView* getView(uint32_t index) const;

    // The topmost visible, mouse-enabled view under where (in this container's
    // own coordinates); with deep, the innermost such view.
    CView* getViewAt(const CPoint& where, bool deep = false) const;

    void setBackground(const CBitmapRef& bitmap);
    const CBitmapRef& getBackground() const { return background; }
    void setBackgroundColor(const CColor& color);
    const CColor& getBackgroundColor() const { return backgroundColor; }

    void draw(CDrawContext* context) override;

protected:
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& localRect);
    void drawChildren(CDrawContext* context);

private:
    std::vector<CView*> children;
    CBitmapRef background;
    CColor backgroundColor{kBlackCColor};
};

} // namespace VSTGUI
