#include "vstgui/lib/cframe.h"

#include "vstgui/lib/platform/platformfactory.h"

namespace VSTGUI
{

CFrame::CFrame(const CRect& size, VSTGUIEditorInterface* editor)
    : CViewContainer(size), editor(editor)
{
}

CFrame::~CFrame() noexcept
{
    close();
    setModalView(nullptr);
    closedModal.reset();
    removeAll(true);
}

bool CFrame::open(void* systemWindow, PlatformType type, IPlatformFrameConfig* config)
{
    if (platformFrame)
        return false;
    platformFrame =
        getPlatformFactory().createFrame(this, getViewSize(), systemWindow, type, config);
    return platformFrame != nullptr;
}

void CFrame::close()
{
    platformOnMouseCancel();
    platformFrame.reset();
}

void CFrame::platformOnMouseCancel()
{
    if (CView* target = mouseDownView)
    {
        mouseDownView = nullptr;
        target->onMouseCancel();
    }
}

bool CFrame::setSize(CCoord width, CCoord height)
{
    if (width <= 0 || height <= 0)
        return false;
    CRect size = getViewSize();
    size.setWidth(width).setHeight(height);
    setViewSize(size, false);
    if (platformFrame)
        platformFrame->setSize(size);
    return true;
}

void CFrame::invalid()
{
    if (platformFrame)
        platformFrame->invalid();
}

void CFrame::platformOnIdle()
{
    if (editor)
        editor->onIdle();
}

KnobMode CFrame::getKnobMode() const
{
    return editor ? editor->getKnobMode() : kCircularMode;
}

void CFrame::setModalView(CView* view)
{
    if (modalView)
    {
        CView* previous = modalView;
        modalView = nullptr;
        removeView(previous, false);
        // Deleted later: it may be the view whose event handler is running.
        closedModal.reset(previous);
    }
    if (view)
    {
        addView(view);
        modalView = view;
    }
    invalid();
}

void CFrame::drawRect(CDrawContext* context, const CRect&)
{
    context->saveGlobalState();
    CRect local(CPoint(), getViewSize().getSize());
    context->clipRect(local);
    drawBackgroundRect(context, local);
    drawChildren(context);
    context->restoreGlobalState();
}

void CFrame::onViewRemoved(CView* view)
{
    // The view or one of its children may be the one holding the mouse.
    for (CView* v = mouseDownView; v; v = v->getParentView())
        if (v == view)
        {
            mouseDownView = nullptr;
            break;
        }
}

void CFrame::platformDrawRect(CDrawContext& context, const CRect& rect)
{
    drawRect(&context, rect);
}

CView* CFrame::targetAt(const CPoint& where) const
{
    if (modalView)
        return modalView;
    return getViewAt(where, true);
}

void CFrame::platformOnMouseDown(const CPoint& where, int32_t buttons)
{
    if (mouseDownView)
        mouseDownView->onMouseCancel();
    mouseDownView = nullptr;
    if (CView* target = targetAt(where))
    {
        CPoint local = target->frameToParent(where);
        auto result = target->onMouseDown(local, CButtonState(buttons));
        if (result == kMouseEventHandled && target->getParentView())
            mouseDownView = target;
    }
    collectClosedModal();
}

void CFrame::platformOnMouseMoved(const CPoint& where, int32_t buttons)
{
    if (!mouseDownView)
    {
        // An open menu follows the pointer to show which entry a click picks.
        if (modalView)
        {
            CPoint local = modalView->frameToParent(where);
            modalView->onMouseMoved(local, CButtonState(buttons));
        }
        return;
    }
    CPoint local = mouseDownView->frameToParent(where);
    if (mouseDownView->onMouseMoved(local, CButtonState(buttons)) ==
        kMouseMoveEventHandledButDontNeedMoreEvents)
        mouseDownView = nullptr;
    collectClosedModal();
}

void CFrame::platformOnMouseUp(const CPoint& where, int32_t buttons)
{
    if (CView* target = mouseDownView)
    {
        mouseDownView = nullptr;
        CPoint local = target->frameToParent(where);
        target->onMouseUp(local, CButtonState(buttons));
    }
    collectClosedModal();
}

void CFrame::platformOnMouseWheel(const CPoint& where, float distance)
{
    if (CView* target = targetAt(where))
        target->onWheel(target->frameToParent(where), distance, CButtonState());
    collectClosedModal();
}

void CFrame::collectClosedModal()
{
    closedModal.reset();
}

} // namespace VSTGUI
