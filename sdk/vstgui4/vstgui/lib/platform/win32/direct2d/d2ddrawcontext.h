// The draw context over a Direct2D render target (a window's or a memory
// bitmap's), drawing as the Linux context does: the same geometry, the same
// stroke placement, text placed on the same baseline.
// The owner brackets the drawing with the target's BeginDraw and EndDraw,
// calling endDraw() on this context first.
#pragma once

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/platform/win32/direct2d/d2dfont.h"
#include <d2d1.h>
#include <dwrite.h>
#include <map>
#include <tuple>
#include <vector>
#include <wrl/client.h>

namespace VSTGUI
{

class D2DDrawContext final : public CDrawContext
{
public:
    D2DDrawContext(ID2D1RenderTarget* target, IDWriteFactory* writeFactory);

    // Drops the states and clips still open, as EndDraw requires.
    void endDraw();

    void saveGlobalState() override;
    void restoreGlobalState() override;
    void translate(const CPoint& offset) override;
    void clipRect(const CRect& rect) override;

    void drawLine(const CPoint& from, const CPoint& to) override;
    void drawRect(const CRect& rect, CDrawStyle style) override;
    void drawEllipse(const CRect& rect, CDrawStyle style) override;
    void drawArc(const CRect& rect, double startAngle, double endAngle, CDrawStyle style) override;
    void drawBitmap(const CBitmap& bitmap, const CRect& dest, const CPoint& offset,
                    float alpha) override;
    void drawString(const std::string& text, const CRect& rect, CHoriTxtAlign align) override;

private:
    struct State
    {
        D2D1_MATRIX_3X2_F transform;
        size_t clips;
    };

    ID2D1SolidColorBrush* brush(const CColor& color);
    void finish(ID2D1Geometry* geometry, CDrawStyle style);
    const D2DFont& currentFont();

    Microsoft::WRL::ComPtr<ID2D1RenderTarget> target;
    Microsoft::WRL::ComPtr<IDWriteFactory> writeFactory;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> solid;
    // Numbers this context's target for the bitmaps made on it.
    const uint64_t targetId;
    std::vector<State> states;
    size_t clips{0};
    std::map<std::tuple<std::string, double, int32_t>, D2DFont> fonts;
};

} // namespace VSTGUI
