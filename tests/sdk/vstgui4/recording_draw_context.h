// A draw context that keeps what a view asked it to draw, for checking how
// controls look without comparing pixels.
#pragma once

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"

#include <string>
#include <vector>

namespace ferrulith::test
{

class RecordingDrawContext final : public VSTGUI::CDrawContext
{
public:
    struct Fill
    {
        VSTGUI::CRect rect;
        VSTGUI::CColor color;
    };
    struct Text
    {
        std::string text;
        VSTGUI::CRect rect;
        VSTGUI::CHoriTxtAlign align;
        VSTGUI::CColor color;
        VSTGUI::CFontRef font;
    };

    void saveGlobalState() override {}
    void restoreGlobalState() override {}
    void translate(const VSTGUI::CPoint&) override {}
    void clipRect(const VSTGUI::CRect&) override {}
    void drawLine(const VSTGUI::CPoint&, const VSTGUI::CPoint&) override {}
    void drawRect(const VSTGUI::CRect& rect, VSTGUI::CDrawStyle style) override
    {
        if (style != VSTGUI::kDrawStroked)
            fills.push_back({rect, fillColor});
        if (style != VSTGUI::kDrawFilled)
            edges.push_back({rect, frameColor});
    }
    void drawEllipse(const VSTGUI::CRect&, VSTGUI::CDrawStyle) override {}
    void drawArc(const VSTGUI::CRect&, double, double, VSTGUI::CDrawStyle) override {}
    void drawBitmap(const VSTGUI::CBitmap&, const VSTGUI::CRect&, const VSTGUI::CPoint& offset,
                    float) override
    {
        bitmapOffsets.push_back(offset);
    }
    void drawString(const std::string& text, const VSTGUI::CRect& rect,
                    VSTGUI::CHoriTxtAlign align) override
    {
        texts.push_back({text, rect, align, fontColor, font});
    }

    std::vector<Fill> fills;
    std::vector<Fill> edges;
    std::vector<Text> texts;
    std::vector<VSTGUI::CPoint> bitmapOffsets;
};

} // namespace ferrulith::test
