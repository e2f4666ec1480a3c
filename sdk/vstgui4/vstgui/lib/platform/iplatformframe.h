// The operating system's window behind a CFrame, and what it reports back.
#pragma once

#include "vstgui/lib/crect.h"
#include "vstgui/lib/vstguifwd.h"

namespace VSTGUI
{

enum class PlatformType
{
    kDefaultNative,
    kX11EmbedWindowID,
    kHWND,
};

// Mouse buttons as the frame reports them.
enum CButton
{
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
};

class IPlatformFrameCallback
{
public:
    virtual ~IPlatformFrameCallback() noexcept = default;
    // Redraws the whole frame; the context's origin is the frame's top left.
    virtual void platformDrawRect(CDrawContext& context, const CRect& rect) = 0;
    virtual void platformOnMouseDown(const CPoint& where, int32_t buttons) = 0;
    virtual void platformOnMouseMoved(const CPoint& where, int32_t buttons) = 0;
    virtual void platformOnMouseUp(const CPoint& where, int32_t buttons) = 0;
    // distance > 0 turns up (away from the user).
    virtual void platformOnMouseWheel(const CPoint& where, float distance) = 0;
    // The pointer was taken away mid-gesture (its release will not come).
    virtual void platformOnMouseCancel() = 0;
    // A regular turn of the editor's thread (some tens of times a second),
    // for work handed to that thread from others.
    virtual void platformOnIdle() = 0;
};

// Settings a platform needs to open a frame (on Linux: the host's run loop).
class IPlatformFrameConfig
{
public:
    virtual ~IPlatformFrameConfig() noexcept = default;
};

class IPlatformFrame
{
public:
    virtual ~IPlatformFrame() noexcept = default;
    // Asks for a redraw soon; never draws from inside the call.
    virtual void invalid() = 0;
    virtual void setSize(const CRect& size) = 0;
};

} // namespace VSTGUI
