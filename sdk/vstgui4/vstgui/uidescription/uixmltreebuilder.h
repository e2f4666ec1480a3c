// Builds the node tree of a UI description from the elements an XML reader
// reports, whichever reader the platform has: the limits on what a tree may
// be live here once.
#pragma once

#include "vstgui/uidescription/uinode.h"
#include <memory>
#include <string>
#include <vector>

namespace VSTGUI
{

class UIXmlTreeBuilder
{
public:
    // An element opens inside the one open now; false once the tree is
    // refused (nested too deep, or a second root), after which the reader
    // stops.
    bool startElement(const std::string& name);
    // An attribute of the element just opened.
    void addAttribute(const std::string& name, const std::string& value);
    void endElement();

    // The whole tree; null when it was refused, is empty or was left open.
    std::unique_ptr<UINode> finish();

private:
    std::unique_ptr<UINode> root;
    std::vector<UINode*> open;
    bool failed{false};
};

} // namespace VSTGUI
