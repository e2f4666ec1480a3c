// Builds the node tree of a UI description from the elements an XML reader
// reports, whichever reader the platform has: the limits on what a tree may
// be, its depth and what it costs in memory, live here once.
#pragma once

#include "vstgui/uidescription/uimemorybudget.h"
#include "vstgui/uidescription/uinode.h"
#include <memory>
#include <string>
#include <vector>

namespace VSTGUI
{

class UIXmlTreeBuilder
{
public:
    explicit UIXmlTreeBuilder(UIMemoryBudget& budget) : budget(budget) {}

    // The reader keeps unfinished text (a long attribute) in a buffer of its
    // own: the text read is charged as well as the tree made of it. False
    // once the tree is refused.
    bool readText(uint64_t bytes);
    // An element opens inside the one open now; false once the tree is
    // refused (nested too deep, a second root, past the budget), after which
    // the reader stops.
    bool startElement(const std::string& name);
    // An attribute of the element just opened; false once the tree is refused.
    bool addAttribute(const std::string& name, const std::string& value);
    void endElement();

    // The whole tree; null when it was refused, is empty or was left open.
    std::unique_ptr<UINode> finish();

private:
    bool charge(uint64_t bytes);

    UIMemoryBudget& budget;
    std::unique_ptr<UINode> root;
    std::vector<UINode*> open;
    bool failed{false};
};

} // namespace VSTGUI
