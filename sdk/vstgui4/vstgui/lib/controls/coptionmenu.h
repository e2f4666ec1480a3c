// A menu of text entries whose value is the index of the chosen entry, shown
// centred like any parameter display. A click opens the list as a drop-down
// inside the frame.
#pragma once

#include "vstgui/lib/controls/cparamdisplay.h"
#include <string>
#include <vector>

namespace VSTGUI
{

class COptionMenu : public CParamDisplay
{
public:
    COptionMenu(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
                CBitmapRef background = nullptr, int32_t style = 0);

    void addEntry(UTF8StringPtr title);
    void removeAllEntry();
    int32_t getNbEntries() const { return static_cast<int32_t>(entries.size()); }
    const std::string* getEntry(int32_t index) const;
    // Selects without telling the listener; false for an index outside the list.
    bool setCurrent(int32_t index);
    int32_t getCurrentIndex() const;

    std::string getDisplayText() const override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

    // A choice from the open list: the entry becomes current through one
    // whole edit gesture.
    void chooseEntry(int32_t index);

private:
    std::vector<std::string> entries;
};

} // namespace VSTGUI
