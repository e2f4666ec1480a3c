#include "vstgui/lib/platform/common/pngheader.h"

#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include <cstring>

namespace VSTGUI
{

namespace
{
// A PNG begins with its signature and the IHDR chunk holding width and height.
constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr uint32_t kHeaderSize = 24;
// Beyond what an editor ever shows.
constexpr uint32_t kMaxSide = 32767;
constexpr uint64_t kMaxPixels = uint64_t{1} << 26;

uint32_t bigEndian(const unsigned char* p)
{
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
} // namespace

bool readFully(IPlatformResourceInputStream& stream, void* buffer, uint32_t size)
{
    auto* data = static_cast<unsigned char*>(buffer);
    while (size > 0)
    {
        uint32_t count = stream.readRaw(data, size);
        if (count == 0 || count == kStreamIOError || count > size)
            return false;
        data += count;
        size -= count;
    }
    return true;
}

bool hasDecodablePNGHeader(IPlatformResourceInputStream& stream, uint64_t maxBytes)
{
    unsigned char header[kHeaderSize];
    if (!readFully(stream, header, kHeaderSize) || stream.seek(0, SeekMode::Set) != 0)
        return false;
    if (std::memcmp(header, kSignature, sizeof(kSignature)) != 0 ||
        std::memcmp(header + 12, "IHDR", 4) != 0)
        return false;
    uint32_t width = bigEndian(header + 16);
    uint32_t height = bigEndian(header + 20);
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           uint64_t{width} * height <= kMaxPixels && uint64_t{width} * height * 4 <= maxBytes;
}

} // namespace VSTGUI
