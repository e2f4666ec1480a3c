// Makes the stock view classes from their UI-description attributes.
#pragma once

#include "vstgui/lib/vstguifwd.h"

namespace VSTGUI
{

class IController;
class UIAttributes;
class UIDescription;

class UIViewFactory
{
public:
    // A new view of the class the attributes name ("class"), set up from the
    // rest of them; null for a class this library does not have.
    static CView* createView(const UIAttributes& attributes, const UIDescription& description,
                             IController* controller);
};

} // namespace VSTGUI
