// Reads UI-description XML into a tree of nodes.
#pragma once

#include "vstgui/lib/vstguifwd.h"
#include "vstgui/uidescription/uinode.h"
#include <memory>

namespace VSTGUI
{

// The root element with everything inside it; null for a stream that does
// not hold well-formed XML or that nests elements deeper than kMaxDepth.
std::unique_ptr<UINode> readUIXml(IPlatformResourceInputStream& stream);

constexpr int kMaxUIXmlDepth = 64;

} // namespace VSTGUI
