// One element of a parsed UI description and the elements inside it.
#pragma once

#include "vstgui/uidescription/uiattributes.h"
#include <memory>
#include <string>
#include <vector>

namespace VSTGUI
{

struct UINode
{
    std::string name;
    UIAttributes attributes;
    std::vector<std::unique_ptr<UINode>> children;

    // The first child element called childName, or null.
    const UINode* getChild(const std::string& childName) const
    {
        for (const auto& child : children)
            if (child->name == childName)
                return child.get();
        return nullptr;
    }
};

} // namespace VSTGUI
