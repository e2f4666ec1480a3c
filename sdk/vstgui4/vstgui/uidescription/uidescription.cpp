#include "vstgui/uidescription/uidescription.h"

#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include "vstgui/lib/platform/platformfactory.h"
#include "vstgui/uidescription/uiviewfactory.h"
#include "vstgui/uidescription/uixmlreader.h"
#include <cstring>

namespace VSTGUI
{

namespace
{
constexpr const char* kRootElement = "vstgui-ui-description";

struct NamedColor
{
    const char* name;
    CColor color;
};
constexpr NamedColor kStockColors[] = {
    {"~ BlackCColor", kBlackCColor},
    {"~ WhiteCColor", kWhiteCColor},
    {"~ GreyCColor", kGreyCColor},
    {"~ RedCColor", kRedCColor},
    {"~ GreenCColor", kGreenCColor},
    {"~ BlueCColor", kBlueCColor},
    {"~ TransparentCColor", kTransparentCColor},
};
} // namespace

UIDescription::UIDescription(const CResourceDescription& xmlFile)
{
    if (xmlFile.type == CResourceDescription::kStringType && xmlFile.u.name)
        fileName = xmlFile.u.name;
}

UIDescription::~UIDescription() noexcept = default;

bool UIDescription::parse()
{
    root.reset();
    bitmapCache.clear();
    budget.reset();
    if (fileName.empty())
        return false;
    auto stream = getPlatformFactory().createResourceInputStream(fileName.c_str());
    if (!stream)
        return false;
    auto parsed = readUIXml(*stream, budget);
    if (!parsed || parsed->name != kRootElement)
        return false;
    root = std::move(parsed);
    return true;
}

const UINode* UIDescription::findInSection(const char* section, const char* element,
                                           UTF8StringPtr name) const
{
    if (!root || !name)
        return nullptr;
    for (const auto& group : root->children)
    {
        if (group->name != section)
            continue;
        for (const auto& node : group->children)
        {
            const std::string* nodeName = node->attributes.getAttributeValue("name");
            if (node->name == element && nodeName && *nodeName == name)
                return node.get();
        }
    }
    return nullptr;
}

const UIAttributes* UIDescription::getViewAttributes(UTF8StringPtr name) const
{
    if (!root || !name)
        return nullptr;
    for (const auto& node : root->children)
    {
        const std::string* nodeName = node->attributes.getAttributeValue("name");
        if (node->name == "template" && nodeName && *nodeName == name)
            return &node->attributes;
    }
    return nullptr;
}

CView* UIDescription::createView(UTF8StringPtr name, IController* controller) const
{
    if (!root || !name)
        return nullptr;
    for (const auto& node : root->children)
    {
        const std::string* nodeName = node->attributes.getAttributeValue("name");
        if (node->name == "template" && nodeName && *nodeName == name)
            return createViewFromNode(*node, controller, 0);
    }
    return nullptr;
}

CView* UIDescription::createViewFromNode(const UINode& node, IController* controller,
                                         int depth) const
{
    CView* view = UIViewFactory::createView(node.attributes, *this, controller);
    if (!view)
        return nullptr;
    if (controller)
        view = controller->verifyView(view, node.attributes, this);
    auto* container = dynamic_cast<CViewContainer*>(view);
    if (!container || depth >= kMaxUIXmlDepth)
        return view;
    for (const auto& child : node.children)
    {
        if (child->name != "view")
            continue;
        if (CView* childView = createViewFromNode(*child, controller, depth + 1))
            container->addView(childView);
    }
    return view;
}

CBitmapRef UIDescription::getBitmap(UTF8StringPtr name) const
{
    const UINode* node = findInSection("bitmaps", "bitmap", name);
    if (!node)
        return nullptr;
    auto cached = bitmapCache.find(name);
    if (cached != bitmapCache.end())
        return cached->second;
    const std::string* path = node->attributes.getAttributeValue("path");
    CBitmapRef bitmap;
    if (path)
    {
        // Decoded only within what the budget has left; a cached image is
        // charged once, however many views show it.
        bitmap = std::make_shared<CBitmap>(CResourceDescription(path->c_str()), budget.remaining());
        if (!bitmap->isLoaded() ||
            !budget.charge(surfaceBytes(static_cast<uint64_t>(bitmap->getWidth()),
                                        static_cast<uint64_t>(bitmap->getHeight()))))
            bitmap.reset();
    }
    bitmapCache[name] = bitmap;
    return bitmap;
}

CFontRef UIDescription::getFont(UTF8StringPtr name) const
{
    if (!name)
        return nullptr;
    if (std::strcmp(name, "~ NormalFont") == 0)
        return kNormalFont();
    const UINode* node = findInSection("fonts", "font", name);
    if (!node)
        return nullptr;
    const UIAttributes& a = node->attributes;
    const std::string* family = a.getAttributeValue("font-name");
    double size = 12;
    a.getDoubleAttribute("size", size);
    if (size <= 0 || size > 500)
        size = 12;
    bool bold = false;
    bool italic = false;
    a.getBooleanAttribute("bold", bold);
    a.getBooleanAttribute("italic", italic);
    int32_t style = (bold ? kBoldFace : 0) | (italic ? kItalicFace : 0);
    return std::make_shared<CFontDesc>(family ? *family : std::string("DejaVu Sans"), size, style);
}

bool UIDescription::getColor(UTF8StringPtr name, CColor& color) const
{
    if (!name)
        return false;
    if (CColor::fromString(name, color))
        return true;
    for (const auto& stock : kStockColors)
        if (std::strcmp(stock.name, name) == 0)
        {
            color = stock.color;
            return true;
        }
    const UINode* node = findInSection("colors", "color", name);
    if (!node)
        return false;
    const std::string* rgba = node->attributes.getAttributeValue("rgba");
    return rgba && CColor::fromString(*rgba, color);
}

int32_t UIDescription::getTagForName(UTF8StringPtr name) const
{
    if (!name)
        return -1;
    int32_t tag = -1;
    if (const UINode* node = findInSection("control-tags", "control-tag", name))
    {
        if (node->attributes.getIntegerAttribute("tag", tag))
            return tag;
        return -1;
    }
    if (UIAttributes::stringToInteger(name, tag))
        return tag;
    return -1;
}

} // namespace VSTGUI
