// The view host of this platform, for code that shows a plug-in's editor
// the same way everywhere: attach, run, resize, capture, detach.
#pragma once

#if defined(_WIN32)
#include "hostkit/win32/win32_plug_view_host.h"
#else
#include "hostkit/x11/x11_plug_view_host.h"
#endif

namespace ferrulith::host
{

#if defined(_WIN32)
using PlugViewHost = Win32PlugViewHost;
#else
using PlugViewHost = X11PlugViewHost;
#endif

} // namespace ferrulith::host
