// The UI-description reader on expat, the XML library of Linux desktops.
#include "vstgui/uidescription/uixmlreader.h"

#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include "vstgui/uidescription/uixmltreebuilder.h"
#include <expat.h>

namespace VSTGUI
{

namespace
{
struct ParseState
{
    XML_Parser parser;
    UIXmlTreeBuilder tree;
};

void XMLCALL startElement(void* userData, const XML_Char* name, const XML_Char** attributes)
{
    auto& state = *static_cast<ParseState*>(userData);
    bool accepted = state.tree.startElement(name);
    for (int i = 0; accepted && attributes[i] && attributes[i + 1]; i += 2)
        accepted = state.tree.addAttribute(attributes[i], attributes[i + 1]);
    if (!accepted)
        XML_StopParser(state.parser, XML_FALSE);
}

void XMLCALL endElement(void* userData, const XML_Char*)
{
    static_cast<ParseState*>(userData)->tree.endElement();
}
} // namespace

std::unique_ptr<UINode> readUIXml(IPlatformResourceInputStream& stream, UIMemoryBudget& budget)
{
    XML_Parser parser = XML_ParserCreate("UTF-8");
    if (!parser)
        return nullptr;
    ParseState state{parser, UIXmlTreeBuilder(budget)};
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(parser, startElement, endElement);

    char buffer[4096];
    bool ok = true;
    for (;;)
    {
        uint32_t count = stream.readRaw(buffer, sizeof(buffer));
        if (count == kStreamIOError || !state.tree.readText(count))
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
    if (!ok)
        return nullptr;
    return state.tree.finish();
}

} // namespace VSTGUI
