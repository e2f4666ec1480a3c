#include "vstgui/uidescription/uixmltreebuilder.h"

#include "vstgui/uidescription/uixmlreader.h"

namespace VSTGUI
{

bool UIXmlTreeBuilder::startElement(const std::string& name)
{
    if (failed)
        return false;
    if (open.size() >= static_cast<size_t>(kMaxUIXmlDepth) || (open.empty() && root))
    {
        failed = true;
        return false;
    }
    auto node = std::make_unique<UINode>();
    node->name = name;
    UINode* raw = node.get();
    if (open.empty())
        root = std::move(node);
    else
        open.back()->children.push_back(std::move(node));
    open.push_back(raw);
    return true;
}

void UIXmlTreeBuilder::addAttribute(const std::string& name, const std::string& value)
{
    if (!failed && !open.empty())
        open.back()->attributes.setAttribute(name, value);
}

void UIXmlTreeBuilder::endElement()
{
    if (!open.empty())
        open.pop_back();
}

std::unique_ptr<UINode> UIXmlTreeBuilder::finish()
{
    if (failed || !open.empty())
        return nullptr;
    return std::move(root);
}

} // namespace VSTGUI
