#include "vstgui/lib/cview.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/cviewcontainer.h"

namespace VSTGUI
{

CView::CView(const CRect& size) : size(size) {}

void CView::draw(CDrawContext*) {}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseCancel()
{
    return kMouseEventNotImplemented;
}

bool CView::onWheel(const CPoint&, const float&, const CButtonState&)
{
    return false;
}

void CView::setViewSize(const CRect& newSize, bool doInvalid)
{
    size = newSize;
    if (doInvalid)
        invalid();
}

void CView::setVisible(bool state)
{
    if (visible != state)
    {
        visible = state;
        invalid();
    }
}

void CView::setTransparency(bool state)
{
    if (transparent != state)
    {
        transparent = state;
        invalid();
    }
}

void CView::invalid()
{
    if (auto* frame = getFrame())
        frame->invalid();
}

CFrame* CView::getFrame() const
{
    const CView* view = this;
    while (view->parent)
        view = view->parent;
    return dynamic_cast<CFrame*>(const_cast<CView*>(view));
}

CPoint CView::parentToFrame(const CPoint& where) const
{
    CPoint result = where;
    for (const CView* ancestor = parent; ancestor; ancestor = ancestor->parent)
        result = result + ancestor->getViewSize().getTopLeft();
    return result;
}

CPoint CView::frameToParent(const CPoint& where) const
{
    CPoint origin = parentToFrame(CPoint());
    return where - origin;
}

} // namespace VSTGUI
