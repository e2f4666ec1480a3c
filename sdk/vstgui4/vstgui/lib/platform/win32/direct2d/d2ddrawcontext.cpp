#include "vstgui/lib/platform/win32/direct2d/d2ddrawcontext.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/platform/win32/direct2d/d2dbitmap.h"
#include "vstgui/lib/platform/win32/win32strings.h"
#include <algorithm>
#include <atomic>
#include <cmath>

namespace VSTGUI
{

using Microsoft::WRL::ComPtr;

namespace
{
uint64_t nextTargetId()
{
    static std::atomic<uint64_t> counter{0};
    return ++counter;
}

D2D1_COLOR_F colorOf(const CColor& color)
{
    return D2D1::ColorF(color.red / 255.f, color.green / 255.f, color.blue / 255.f,
                        color.alpha / 255.f);
}

D2D1_POINT_2F pointOf(double x, double y)
{
    return D2D1::Point2F(static_cast<float>(x), static_cast<float>(y));
}

D2D1_RECT_F rectOf(const CRect& rect)
{
    return D2D1::RectF(static_cast<float>(rect.left), static_cast<float>(rect.top),
                       static_cast<float>(rect.right), static_cast<float>(rect.bottom));
}

// Wide enough that no single line of a design reaches its end.
constexpr float kLayoutWidth = 8192.f;
} // namespace

D2DDrawContext::D2DDrawContext(ID2D1RenderTarget* target, IDWriteFactory* writeFactory)
    : target(target), writeFactory(writeFactory), targetId(nextTargetId())
{
    // Grey antialiasing: what the Linux context gives, and the one mode a
    // transparent memory target allows.
    target->SetTextAntialiasMode(D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE);
}

void D2DDrawContext::endDraw()
{
    while (clips > 0)
    {
        target->PopAxisAlignedClip();
        --clips;
    }
    states.clear();
    target->SetTransform(D2D1::Matrix3x2F::Identity());
}

void D2DDrawContext::saveGlobalState()
{
    State state{};
    target->GetTransform(&state.transform);
    state.clips = clips;
    states.push_back(state);
}

void D2DDrawContext::restoreGlobalState()
{
    if (states.empty())
        return;
    const State state = states.back();
    states.pop_back();
    while (clips > state.clips)
    {
        target->PopAxisAlignedClip();
        --clips;
    }
    target->SetTransform(state.transform);
}

void D2DDrawContext::translate(const CPoint& offset)
{
    D2D1_MATRIX_3X2_F transform;
    target->GetTransform(&transform);
    target->SetTransform(
        D2D1::Matrix3x2F::Translation(static_cast<float>(offset.x), static_cast<float>(offset.y)) *
        D2D1::Matrix3x2F(transform._11, transform._12, transform._21, transform._22, transform._31,
                         transform._32));
}

void D2DDrawContext::clipRect(const CRect& rect)
{
    target->PushAxisAlignedClip(rectOf(rect), D2D1_ANTIALIAS_MODE_ALIASED);
    ++clips;
}

ID2D1SolidColorBrush* D2DDrawContext::brush(const CColor& color)
{
    if (!solid)
        target->CreateSolidColorBrush(colorOf(color), &solid);
    else
        solid->SetColor(colorOf(color));
    return solid.Get();
}

void D2DDrawContext::finish(ID2D1Geometry* geometry, CDrawStyle style)
{
    if (style != kDrawStroked)
        if (auto* fill = brush(fillColor))
            target->FillGeometry(geometry, fill);
    if (style != kDrawFilled)
        if (auto* frame = brush(frameColor))
            target->DrawGeometry(geometry, frame, static_cast<float>(lineWidth));
}

void D2DDrawContext::drawLine(const CPoint& from, const CPoint& to)
{
    if (auto* frame = brush(frameColor))
        target->DrawLine(pointOf(from.x, from.y), pointOf(to.x, to.y), frame,
                         static_cast<float>(lineWidth));
}

void D2DDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    if (style != kDrawStroked)
        if (auto* fill = brush(fillColor))
            target->FillRectangle(rectOf(rect), fill);
    if (style != kDrawFilled)
    {
        // Strokes sit on pixel centres so a 1 pixel frame stays sharp.
        CRect r = rect;
        r.inset(lineWidth / 2, lineWidth / 2);
        if (auto* frame = brush(frameColor))
            target->DrawRectangle(rectOf(r), frame, static_cast<float>(lineWidth));
    }
}

void D2DDrawContext::drawEllipse(const CRect& rect, CDrawStyle style)
{
    drawArc(rect, 0, 360, style);
}

void D2DDrawContext::drawArc(const CRect& rect, double startAngle, double endAngle,
                             CDrawStyle style)
{
    if (rect.getWidth() <= 0 || rect.getHeight() <= 0)
        return;
    while (endAngle < startAngle)
        endAngle += 360;
    const double sweep = std::min(endAngle - startAngle, 360.);
    const bool whole = sweep >= 360;
    const auto centre = rect.getCenter();
    const double rx = rect.getWidth() / 2;
    const double ry = rect.getHeight() / 2;
    // Angles run along the ellipse's parameter, as on the Linux side, where
    // the arc is drawn on a unit circle scaled to the rectangle.
    auto at = [&](double degrees)
    {
        const double radians = degrees * M_PI / 180;
        return pointOf(centre.x + rx * std::cos(radians), centre.y + ry * std::sin(radians));
    };

    ComPtr<ID2D1Factory> factory;
    target->GetFactory(&factory);
    ComPtr<ID2D1PathGeometry> path;
    ComPtr<ID2D1GeometrySink> sink;
    if (FAILED(factory->CreatePathGeometry(&path)) || FAILED(path->Open(&sink)))
        return;
    const bool pie = style != kDrawStroked && !whole;
    sink->BeginFigure(pie ? pointOf(centre.x, centre.y) : at(startAngle),
                      style == kDrawStroked ? D2D1_FIGURE_BEGIN_HOLLOW : D2D1_FIGURE_BEGIN_FILLED);
    if (pie)
        sink->AddLine(at(startAngle));
    // Arc segments of at most half a turn each: Direct2D needs no choice of
    // the large arc then, and a whole turn becomes two halves.
    const int pieces = std::max(1, static_cast<int>(std::ceil(sweep / 180)));
    for (int i = 1; i <= pieces; ++i)
    {
        D2D1_ARC_SEGMENT arc{};
        arc.point = at(startAngle + sweep * i / pieces);
        arc.size = D2D1::SizeF(static_cast<float>(rx), static_cast<float>(ry));
        arc.sweepDirection = D2D1_SWEEP_DIRECTION_CLOCKWISE;
        arc.arcSize = D2D1_ARC_SIZE_SMALL;
        sink->AddArc(arc);
    }
    // Open like the Linux path: a pie's stroke does not run back to the centre.
    sink->EndFigure(whole ? D2D1_FIGURE_END_CLOSED : D2D1_FIGURE_END_OPEN);
    if (FAILED(sink->Close()))
        return;
    finish(path.Get(), style);
}

void D2DDrawContext::drawBitmap(const CBitmap& bitmap, const CRect& dest, const CPoint& offset,
                                float alpha)
{
    auto* image = static_cast<D2DBitmap*>(bitmap.getPlatformBitmap().get());
    if (!image)
        return;
    // Only the part of the image that lies under dest is drawn; beyond the
    // image's edges nothing is.
    CRect source(offset.x, offset.y, offset.x + dest.getWidth(), offset.y + dest.getHeight());
    CRect onto = dest;
    const double cutLeft = std::max(0., -source.left);
    const double cutTop = std::max(0., -source.top);
    const double cutRight = std::max(0., source.right - image->getWidth());
    const double cutBottom = std::max(0., source.bottom - image->getHeight());
    source.left += cutLeft;
    onto.left += cutLeft;
    source.top += cutTop;
    onto.top += cutTop;
    source.right -= cutRight;
    onto.right -= cutRight;
    source.bottom -= cutBottom;
    onto.bottom -= cutBottom;
    if (source.getWidth() <= 0 || source.getHeight() <= 0)
        return;
    if (ID2D1Bitmap* drawn = image->forTarget(target.Get(), targetId))
    {
        const D2D1_RECT_F to = rectOf(onto);
        const D2D1_RECT_F from = rectOf(source);
        target->DrawBitmap(drawn, &to, alpha, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR, &from);
    }
}

const D2DFont& D2DDrawContext::currentFont()
{
    auto key = std::make_tuple(font->getName(), font->getSize(), font->getStyle());
    auto found = fonts.find(key);
    if (found == fonts.end())
        found = fonts.emplace(key, D2DFont::make(writeFactory.Get(), *font)).first;
    return found->second;
}

// Laid out as GDI would, in whole pixels: glyph advances and the font's
// ascent and descent are rounded as the Linux side's hinted font metrics are,
// so text sits where it does there.
void D2DDrawContext::drawString(const std::string& text, const CRect& rect, CHoriTxtAlign align)
{
    const std::wstring wide = utf16FromUtf8(text);
    const D2DFont& face = currentFont();
    ComPtr<IDWriteTextLayout> layout;
    if (wide.empty() || !face.format ||
        FAILED(writeFactory->CreateGdiCompatibleTextLayout(
            wide.c_str(), static_cast<UINT32>(wide.size()), face.format.Get(), kLayoutWidth,
            static_cast<float>(rect.getHeight()), 1.f, nullptr, FALSE, &layout)))
        return;
    // Placed by its ink, as on Linux: the drawn glyphs, not their advances,
    // are centred or pushed to an edge.
    DWRITE_OVERHANG_METRICS overhang{};
    DWRITE_TEXT_METRICS metrics{};
    layout->GetMetrics(&metrics);
    double inkLeft = metrics.left;
    double inkWidth = metrics.width;
    if (SUCCEEDED(layout->GetOverhangMetrics(&overhang)))
    {
        inkLeft = -overhang.left;
        inkWidth = kLayoutWidth + overhang.right - inkLeft;
    }
    double x = rect.left - inkLeft;
    if (align == kCenterText)
        x = rect.left + (rect.getWidth() - inkWidth) / 2 - inkLeft;
    else if (align == kRightText)
        x = rect.right - inkWidth - inkLeft;
    const double baseline = rect.top + (rect.getHeight() + face.ascent - face.descent) / 2;
    DWRITE_LINE_METRICS line{};
    UINT32 lines = 0;
    layout->GetLineMetrics(&line, 1, &lines);
    const float lineBaseline = lines > 0 ? line.baseline : face.ascent;

    if (auto* ink = brush(fontColor))
    {
        target->PushAxisAlignedClip(rectOf(rect), D2D1_ANTIALIAS_MODE_ALIASED);
        target->DrawTextLayout(pointOf(std::round(x), std::round(baseline) - lineBaseline),
                               layout.Get(), ink);
        target->PopAxisAlignedClip();
    }
}

} // namespace VSTGUI
