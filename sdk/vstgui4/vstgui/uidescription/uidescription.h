// A UI description read from a resource: its bitmaps, fonts, colours, control
// tags and templates, and the views it builds from a template.
#pragma once

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cfont.h"
#include "vstgui/lib/cresourcedescription.h"
#include "vstgui/uidescription/icontroller.h"
#include "vstgui/uidescription/uimemorybudget.h"
#include "vstgui/uidescription/uinode.h"
#include <map>
#include <memory>
#include <string>

namespace VSTGUI
{

class UIDescription
{
public:
    explicit UIDescription(const CResourceDescription& xmlFile);
    ~UIDescription() noexcept;

    // Reads the file; false when it is missing, unreadable, not well-formed or
    // not a UI description. A description that failed to parse builds nothing.
    bool parse();
    bool isParsed() const { return root != nullptr; }

    // A new view tree from the named template, owned by the caller; null when
    // there is no such template. Controls report to controller.
    CView* createView(UTF8StringPtr name, IController* controller) const;
    // The attributes of the named template, or null.
    const UIAttributes* getViewAttributes(UTF8StringPtr name) const;

    // Look-ups by the names the description gives; null/false/-1 when absent.
    CBitmapRef getBitmap(UTF8StringPtr name) const;
    CFontRef getFont(UTF8StringPtr name) const;
    // A colour by name or as "#rrggbb[aa]".
    bool getColor(UTF8StringPtr name, CColor& color) const;
    // A control tag by its name in <control-tags>, or a plain number.
    int32_t getTagForName(UTF8StringPtr name) const;

    const std::string& getFilePath() const { return fileName; }

    // What this description and everything made from it may still cost; the
    // editor charges its drawing surface here too.
    UIMemoryBudget& memoryBudget() const { return budget; }

private:
    const UINode* findInSection(const char* section, const char* element, UTF8StringPtr name) const;
    CView* createViewFromNode(const UINode& node, IController* controller, int depth) const;

    std::string fileName;
    std::unique_ptr<UINode> root;
    mutable std::map<std::string, CBitmapRef> bitmapCache;
    mutable UIMemoryBudget budget;
};

} // namespace VSTGUI
