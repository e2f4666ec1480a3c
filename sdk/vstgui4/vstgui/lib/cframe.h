// The root view of an editor: owns the platform window it is shown in, draws
// the view tree into it and routes the window's mouse events to the views.
#pragma once

#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/vstguieditorinterface.h"
#include <memory>

namespace VSTGUI
{

class CFrame final : public CViewContainer, public IPlatformFrameCallback
{
public:
    CFrame(const CRect& size, VSTGUIEditorInterface* editor = nullptr);
    ~CFrame() noexcept override;

    // Opens a window inside systemWindow; false when the platform cannot.
    bool open(void* systemWindow, PlatformType type = PlatformType::kDefaultNative,
              IPlatformFrameConfig* config = nullptr);
    // Closes the window; the view tree stays and can be opened again.
    void close();
    bool isOpen() const { return platformFrame != nullptr; }

    bool setSize(CCoord width, CCoord height);
    void invalid() override;
    VSTGUIEditorInterface* getEditor() const { return editor; }
    // The editor's knob mode; circular without an editor.
    KnobMode getKnobMode() const;

    // A view that takes every mouse event while set (an open menu). The frame
    // owns it; setting another or null deletes the previous one once the
    // current event is over.
    void setModalView(CView* view);
    CView* getModalView() const { return modalView; }

    // Draws the whole frame with its origin at the context's origin, whatever
    // part updateRect names.
    void drawRect(CDrawContext* context, const CRect& updateRect);

    // Forgets a view that is leaving the tree, so no event reaches it later.
    void onViewRemoved(CView* view);

    void platformDrawRect(CDrawContext& context, const CRect& rect) override;
    void platformOnMouseDown(const CPoint& where, int32_t buttons) override;
    void platformOnMouseMoved(const CPoint& where, int32_t buttons) override;
    void platformOnMouseUp(const CPoint& where, int32_t buttons) override;
    void platformOnMouseWheel(const CPoint& where, float distance) override;
    void platformOnMouseCancel() override;
    void platformOnIdle() override;

private:
    CView* targetAt(const CPoint& where) const;
    void collectClosedModal();

    VSTGUIEditorInterface* editor;
    std::unique_ptr<IPlatformFrame> platformFrame;
    CView* mouseDownView{nullptr};
    CView* modalView{nullptr};
    std::unique_ptr<CView> closedModal;
};

} // namespace VSTGUI
