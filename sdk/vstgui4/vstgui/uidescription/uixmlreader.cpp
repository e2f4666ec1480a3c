#include "vstgui/uidescription/uixmlreader.h"

#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include <expat.h>
#include <vector>

namespace VSTGUI
{

namespace
{
struct ParseState
{
    XML_Parser parser;
    std::unique_ptr<UINode> root;
    std::vector<UINode*> open;
    bool failed{false};
};

void XMLCALL startElement(void* userData, const XML_Char* name, const XML_Char** attributes)
{
    auto& state = *static_cast<ParseState*>(userData);
    if (state.failed)
        return;
    if (state.open.size() >= static_cast<size_t>(kMaxUIXmlDepth) ||
        (state.open.empty() && state.root))
    {
        state.failed = true;
        XML_StopParser(state.parser, XML_FALSE);
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

std::unique_ptr<UINode> readUIXml(IPlatformResourceInputStream& stream)
{
    XML_Parser parser = XML_ParserCreate("UTF-8");
    if (!parser)
        return nullptr;
    ParseState state{parser, nullptr, {}, false};
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
