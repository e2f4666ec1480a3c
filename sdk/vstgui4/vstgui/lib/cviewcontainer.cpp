#include "vstgui/lib/cviewcontainer.h"

#include "vstgui/lib/cframe.h"
#include <algorithm>

namespace VSTGUI
{

CViewContainer::CViewContainer(const CRect& size) : CView(size) {}

CViewContainer::~CViewContainer() noexcept
{
    removeAll(true);
}

bool CViewContainer::addView(CView* view)
{
    if (!view)
        return false;
    if (view->getParentView())
        view->getParentView()->removeView(view, false);
    children.push_back(view);
    view->setParentView(this);
    view->invalid();
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget)
{
    auto it = std::find(children.begin(), children.end(), view);
    if (it == children.end())
        return false;
    view->invalid();
    if (auto* frame = getFrame())
        frame->onViewRemoved(view);
    children.erase(it);
    view->setParentView(nullptr);
    if (withForget)
        delete view;
    return true;
}

bool CViewContainer::removeAll(bool withForget)
{
    while (!children.empty())
        removeView(children.back(), withForget);
    return true;
}

CView* CViewContainer::getView(uint32_t index) const
{
    return index < children.size() ? children[index] : nullptr;
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const
{
    for (auto it = children.rbegin(); it != children.rend(); ++it)
    {
        CView* child = *it;
        if (!child->isVisible() || !child->getMouseEnabled() ||
            !child->getViewSize().pointInside(where))
            continue;
        if (deep)
            if (auto* container = dynamic_cast<CViewContainer*>(child))
                if (auto* inner =
                        container->getViewAt(where - child->getViewSize().getTopLeft(), true))
                    return inner;
        return child;
    }
    return nullptr;
}

void CViewContainer::setBackground(const CBitmapRef& bitmap)
{
    background = bitmap;
    invalid();
}

void CViewContainer::setBackgroundColor(const CColor& color)
{
    backgroundColor = color;
    invalid();
}

void CViewContainer::draw(CDrawContext* context)
{
    context->saveGlobalState();
    context->translate(getViewSize().getTopLeft());
    CRect local(CPoint(), getViewSize().getSize());
    context->clipRect(local);
    drawBackgroundRect(context, local);
    drawChildren(context);
    context->restoreGlobalState();
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& localRect)
{
    if (!getTransparency())
    {
        context->setFillColor(backgroundColor);
        context->drawRect(localRect, kDrawFilled);
    }
    if (background)
        context->drawBitmap(*background, localRect, CPoint());
}

void CViewContainer::drawChildren(CDrawContext* context)
{
    for (CView* child : children)
        if (child->isVisible())
            child->draw(context);
}

} // namespace VSTGUI
