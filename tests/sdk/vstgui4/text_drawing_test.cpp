// Text in whatever font a design names: a machine may lack the family (a
// stock Windows has no DejaVu; Wine knows no Tahoma), and the text must still
// come out, never as nothing.
#include "gui_test_support.h"
#include "support/pngpixels.h"

#include "vstgui/lib/cfont.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace VSTGUI;

TEST(TextDrawing, AnyFontNameInAnyStyleGivesVisibleText)
{
    ferrulith::test::TempResourceFolder folder;
    const std::string path = (folder.path / "text.png").string();
    for (const char* family : {"DejaVu Sans", "DejaVu Sans Mono", "Arial", "Tahoma", "Verdana",
                               "Segoe UI", "Consolas", "No Such Family", ""})
        for (int32_t style : {int32_t{kNormalFace}, int32_t{kBoldFace}, kBoldFace | kItalicFace})
        {
            SCOPED_TRACE(std::string("\"") + family + "\", style " + std::to_string(style));
            auto image = getPlatformFactory().createOffscreen(120, 24);
            ASSERT_TRUE(image);
            CDrawContext& context = image->getDrawContext();
            context.setFillColor(kBlackCColor);
            context.drawRect(CRect(0, 0, 120, 24), kDrawFilled);
            context.setFont(std::make_shared<CFontDesc>(family, 12, style));
            context.setFontColor(kWhiteCColor);
            context.drawString("Preamp 0.4000", CRect(2, 0, 118, 24), kLeftText);
            ASSERT_TRUE(ferrulith::test::writeOffscreenPNG(*image, path));

            const auto drawn = ferrulith::test::readPngPixels(path);
            ASSERT_TRUE(drawn.loaded);
            int lit = 0;
            for (uint32_t pixel : drawn.pixels)
                lit += ((pixel >> 16) & 0xff) > 128;
            // Thirteen characters at 12 pixels light well over a hundred pixels.
            EXPECT_GT(lit, 100);
        }
}
