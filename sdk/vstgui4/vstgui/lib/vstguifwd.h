// Forward declarations and the small shared aliases of the editor library.
#pragma once

#include "vstgui/lib/vstguibase.h"
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace VSTGUI
{

class CResourceDescription;
class IPlatformFactory;
class IPlatformResourceInputStream;
class IPlatformBitmap;
class IPlatformFrame;
class CDrawContext;
class CBitmap;
class CView;
class CViewContainer;
class CControl;
class CFrame;
class UIDescription;

using PlatformResourceInputStreamPtr = std::unique_ptr<IPlatformResourceInputStream>;
using PlatformBitmapPtr = std::shared_ptr<IPlatformBitmap>;
// A PNG file's bytes.
using PNGBitmapBuffer = std::vector<uint8_t>;

enum class SeekMode
{
    Set,
    Current,
    End
};

// What a stream read returns when the underlying file reports an error.
static constexpr uint32_t kStreamIOError = std::numeric_limits<uint32_t>::max();
static constexpr int64_t kStreamSeekError = -1;

} // namespace VSTGUI
