#include "vstgui/lib/platform/linux/cairodrawcontext.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/platform/linux/cairobitmap.h"
#include <cmath>

namespace VSTGUI
{

CairoDrawContext::CairoDrawContext(cairo_t* cr) : cr(cairo_reference(cr)) {}

CairoDrawContext::~CairoDrawContext() noexcept
{
    cairo_destroy(cr);
}

void CairoDrawContext::saveGlobalState()
{
    cairo_save(cr);
}

void CairoDrawContext::restoreGlobalState()
{
    cairo_restore(cr);
}

void CairoDrawContext::translate(const CPoint& offset)
{
    cairo_translate(cr, offset.x, offset.y);
}

void CairoDrawContext::clipRect(const CRect& rect)
{
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(cr);
}

void CairoDrawContext::setSource(const CColor& color)
{
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                          color.alpha / 255.0);
}

void CairoDrawContext::finishPath(CDrawStyle style)
{
    if (style != kDrawStroked)
    {
        setSource(fillColor);
        if (style == kDrawFilledAndStroked)
            cairo_fill_preserve(cr);
        else
            cairo_fill(cr);
    }
    if (style != kDrawFilled)
    {
        setSource(frameColor);
        cairo_set_line_width(cr, lineWidth);
        cairo_stroke(cr);
    }
}

void CairoDrawContext::drawLine(const CPoint& from, const CPoint& to)
{
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    finishPath(kDrawStroked);
}

void CairoDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    // Strokes sit on pixel centres so a 1 pixel frame stays sharp.
    CRect r = rect;
    if (style != kDrawFilled)
        r.inset(lineWidth / 2, lineWidth / 2);
    cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
    finishPath(style);
}

void CairoDrawContext::drawEllipse(const CRect& rect, CDrawStyle style)
{
    drawArc(rect, 0, 360, style);
}

void CairoDrawContext::drawArc(const CRect& rect, double startAngle, double endAngle,
                               CDrawStyle style)
{
    if (rect.getWidth() <= 0 || rect.getHeight() <= 0)
        return;
    auto centre = rect.getCenter();
    cairo_save(cr);
    cairo_translate(cr, centre.x, centre.y);
    cairo_scale(cr, rect.getWidth() / 2, rect.getHeight() / 2);
    cairo_new_path(cr);
    if (style != kDrawStroked && endAngle - startAngle < 360)
        cairo_move_to(cr, 0, 0);
    cairo_arc(cr, 0, 0, 1, startAngle * M_PI / 180, endAngle * M_PI / 180);
    cairo_restore(cr);
    finishPath(style);
}

void CairoDrawContext::drawBitmap(const CBitmap& bitmap, const CRect& dest, const CPoint& offset,
                                  float alpha)
{
    auto* image = static_cast<CairoBitmap*>(bitmap.getPlatformBitmap().get());
    if (!image)
        return;
    cairo_save(cr);
    cairo_rectangle(cr, dest.left, dest.top, dest.getWidth(), dest.getHeight());
    cairo_clip(cr);
    cairo_set_source_surface(cr, image->getSurface(), dest.left - offset.x, dest.top - offset.y);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

void CairoDrawContext::drawString(const std::string& text, const CRect& rect, CHoriTxtAlign align)
{
    if (text.empty())
        return;
    cairo_save(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(cr);
    cairo_select_font_face(
        cr, font->getName().c_str(),
        (font->getStyle() & kItalicFace) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
        (font->getStyle() & kBoldFace) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font->getSize());
    cairo_text_extents_t textExtents{};
    cairo_text_extents(cr, text.c_str(), &textExtents);
    cairo_font_extents_t fontExtents{};
    cairo_font_extents(cr, &fontExtents);
    double x = rect.left - textExtents.x_bearing;
    if (align == kCenterText)
        x = rect.left + (rect.getWidth() - textExtents.width) / 2 - textExtents.x_bearing;
    else if (align == kRightText)
        x = rect.right - textExtents.width - textExtents.x_bearing;
    double y = rect.top + (rect.getHeight() + fontExtents.ascent - fontExtents.descent) / 2;
    setSource(fontColor);
    cairo_move_to(cr, std::round(x), std::round(y));
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
}

} // namespace VSTGUI
