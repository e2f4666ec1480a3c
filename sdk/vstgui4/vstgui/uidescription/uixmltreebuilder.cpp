#include "vstgui/uidescription/uixmltreebuilder.h"

#include "vstgui/uidescription/uixmlreader.h"

namespace VSTGUI
{

namespace
{
// What a node and its attributes take on the heap, roughly but never less
// than their texts: the node, one map entry per attribute and the strings.
constexpr uint64_t kNodeOverhead = sizeof(UINode) + 2 * sizeof(void*);
constexpr uint64_t kAttributeOverhead = 128;
} // namespace

bool UIXmlTreeBuilder::charge(uint64_t bytes)
{
    if (!failed && !budget.charge(bytes))
        failed = true;
    return !failed;
}

bool UIXmlTreeBuilder::readText(uint64_t bytes)
{
    return charge(bytes);
}

bool UIXmlTreeBuilder::startElement(const std::string& name)
{
    if (failed)
        return false;
    if (open.size() >= static_cast<size_t>(kMaxUIXmlDepth) || (open.empty() && root))
    {
        failed = true;
        return false;
    }
    if (!charge(kNodeOverhead + name.size()))
        return false;
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

bool UIXmlTreeBuilder::addAttribute(const std::string& name, const std::string& value)
{
    if (failed || open.empty() || !charge(kAttributeOverhead + name.size() + value.size()))
        return false;
    open.back()->attributes.setAttribute(name, value);
    return true;
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
