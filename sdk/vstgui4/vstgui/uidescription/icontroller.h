// What a UI description's views are connected to: it hears the controls'
// edits and may adjust each view as it is created.
#pragma once

#include "vstgui/lib/controls/icontrollistener.h"

namespace VSTGUI
{

class CView;
class UIAttributes;
class UIDescription;

class IController : public IControlListener
{
public:
    // Called for every view made from the description; returns the view to use.
    virtual CView* verifyView(CView* view, const UIAttributes& attributes,
                              const UIDescription* description)
    {
        (void)attributes;
        (void)description;
        return view;
    }
};

} // namespace VSTGUI
