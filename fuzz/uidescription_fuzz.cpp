// The editor's description reader over any text, with one image of any bytes
// beside it: parsing, every resource look-up the description names, the view
// tree of its template and a drawing of it. What must hold: nothing the
// description asks for takes more than its memory budget, and a view tree
// stays within what a window can show.
#include "sdk/vstgui4/gui_test_support.h"
#include "fuzz_check.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cview.h"
#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include "vstgui/uidescription/uidescription.h"
#include "vstgui/uidescription/uixmlreader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <memory>
#include <set>

using namespace VSTGUI;
using ferrulith::fuzz::check;

namespace
{

// Looks up every name a section of the description gives, as views would;
// answers what the images decoded for them take in all.
uint64_t lookUpEverything(const UIDescription& description, const UINode& root)
{
    std::set<const CBitmap*> decoded;
    uint64_t imageBytes = 0;
    for (const auto& section : root.children)
        for (const auto& entry : section->children)
        {
            const std::string* name = entry->attributes.getAttributeValue("name");
            if (!name)
                continue;
            if (CBitmapRef bitmap = description.getBitmap(name->c_str()))
                if (decoded.insert(bitmap.get()).second)
                    imageBytes +=
                        surfaceBytes(uint64_t(bitmap->getWidth()), uint64_t(bitmap->getHeight()));
            description.getFont(name->c_str());
            CColor color;
            description.getColor(name->c_str(), color);
            description.getTagForName(name->c_str());
        }
    return imageBytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ferrulith::test::TempResourceFolder folder;
    FuzzedDataProvider in(data, size);
    folder.write("fuzz.uidesc", in.ConsumeRandomLengthString(1 << 20));
    const std::vector<uint8_t> image = in.ConsumeRemainingBytes<uint8_t>();
    folder.write("fuzz.png", std::string(image.begin(), image.end()));

    UIDescription description("fuzz.uidesc");
    if (!description.parse())
        return 0;
    std::unique_ptr<CView> view(description.createView("view", nullptr));
    // The description keeps its tree to itself: read it once more for the
    // names it gives.
    UIMemoryBudget budget;
    auto stream = getPlatformFactory().createResourceInputStream("fuzz.uidesc");
    if (auto root = stream ? readUIXml(*stream, budget) : nullptr)
        check(lookUpEverything(description, *root) <= UIMemoryBudget::kTotalBytes,
              "the images of one description fit its budget in all");
    if (view)
    {
        const CRect& rect = view->getViewSize();
        check(rect.left >= -32768 && rect.top >= -32768 && rect.getWidth() <= 32767 &&
                  rect.getHeight() <= 32767,
              "a view stays within what a window can show");
        // A small picture is enough to run every view's drawing code.
        auto offscreen = getPlatformFactory().createOffscreen(64, 64);
        if (offscreen)
            view->draw(&offscreen->getDrawContext());
    }
    return 0;
}
