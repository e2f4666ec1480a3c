#include "vstgui/uidescription/uixmlreader.h"

#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include <cstring>
#include <expat.h>
#include <vector>

namespace VSTGUI
{

namespace
{
struct ParseState
{
    XML_Parser parser;
    UIMemoryBudget& budget;
    std::unique_ptr<UINode> root;
    std::vector<UINode*> open;
    bool failed{false};
};

// What a node and its attributes take on the heap, roughly but never less
// than their texts: the node, one map entry per attribute and the strings.
constexpr uint64_t kNodeOverhead = sizeof(UINode) + 2 * sizeof(void*);
constexpr uint64_t kAttributeOverhead = 128;

uint64_t nodeCost(const XML_Char* name, const XML_Char** attributes)
{
    uint64_t cost = kNodeOverhead + std::strlen(name);
    for (int i = 0; attributes[i] && attributes[i + 1]; i += 2)
        cost += kAttributeOverhead + std::strlen(attributes[i]) + std::strlen(attributes[i + 1]);
    return cost;
}

void stop(ParseState& state)
{
    state.failed = true;
    XML_StopParser(state.parser, XML_FALSE);
}

void XMLCALL startElement(void* userData, const XML_Char* name, const XML_Char** attributes)
{
    auto& state = *static_cast<ParseState*>(userData);
    if (state.failed)
        return;
    if (state.open.size() >= static_cast<size_t>(kMaxUIXmlDepth) ||
        (state.open.empty() && state.root) || !state.budget.charge(nodeCost(name, attributes)))
    {
        stop(state);
        return;
    }
    auto node = std::make_unique<UINode>();
    node->name = name;
    for (int i = 0; attributes[i] && attributes[i + 1]; i += 2)
        node->attributes.setAttribute(attributes[i], attributes[i + 1]);
    UINode* raw = node.get();
    if (state.open.empty())
        state.root = std::move(node);
    else
        state.open.back()->children.push_back(std::move(node));
    state.open.push_back(raw);
}

void XMLCALL endElement(void* userData, const XML_Char*)
{
    auto& state = *static_cast<ParseState*>(userData);
    if (!state.open.empty())
        state.open.pop_back();
}
} // namespace

std::unique_ptr<UINode> readUIXml(IPlatformResourceInputStream& stream, UIMemoryBudget& budget)
{
    XML_Parser parser = XML_ParserCreate("UTF-8");
    if (!parser)
        return nullptr;
    ParseState state{parser, budget, nullptr, {}, false};
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(parser, startElement, endElement);

    char buffer[4096];
    bool ok = true;
    for (;;)
    {
        uint32_t count = stream.readRaw(buffer, sizeof(buffer));
        if (count == kStreamIOError)
        {
            ok = false;
            break;
        }
        // The parser keeps unfinished text (a long attribute) in a buffer of
        // its own: the text read is charged as well as the tree made of it.
        if (!budget.charge(count))
        {
            ok = false;
            break;
        }
        bool last = count == 0;
        if (XML_Parse(parser, buffer, static_cast<int>(count), last) != XML_STATUS_OK)
        {
            ok = false;
            break;
        }
        if (last)
            break;
    }
    XML_ParserFree(parser);
    if (!ok || state.failed || !state.root || !state.open.empty())
        return nullptr;
    return std::move(state.root);
}

} // namespace VSTGUI
