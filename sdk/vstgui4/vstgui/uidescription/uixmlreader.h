// Reads UI-description XML into a tree of nodes.
#pragma once

#include "vstgui/lib/vstguifwd.h"
#include "vstgui/uidescription/uimemorybudget.h"
#include "vstgui/uidescription/uinode.h"
#include <memory>

namespace VSTGUI
{

// The root element with everything inside it; null for a stream that does
// not hold well-formed XML, that nests elements deeper than kMaxDepth, or
// whose text and tree would pass what is left of budget (charged as read).
std::unique_ptr<UINode> readUIXml(IPlatformResourceInputStream& stream, UIMemoryBudget& budget);

constexpr int kMaxUIXmlDepth = 64;

} // namespace VSTGUI
