// The draw context over a cairo context (window or memory surface).
#pragma once

#include "vstgui/lib/cdrawcontext.h"
#include <cairo.h>

namespace VSTGUI
{

class CairoDrawContext final : public CDrawContext
{
public:
    // Takes its own reference on cr.
    explicit CairoDrawContext(cairo_t* cr);
    ~CairoDrawContext() noexcept override;

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
    void setSource(const CColor& color);
    void finishPath(CDrawStyle style);
    cairo_t* cr;
};

} // namespace VSTGUI
