#include "vstgui/lib/platform/linux/cairobitmap.h"

#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include <cstdint>
#include <cstring>

namespace VSTGUI
{

namespace
{
cairo_status_t readFromStream(void* closure, unsigned char* data, unsigned int length)
{
    auto& stream = *static_cast<IPlatformResourceInputStream*>(closure);
    while (length > 0)
    {
        uint32_t count = stream.readRaw(data, length);
        if (count == 0 || count == kStreamIOError)
            return CAIRO_STATUS_READ_ERROR;
        data += count;
        length -= count;
    }
    return CAIRO_STATUS_SUCCESS;
}

// A PNG begins with its signature and the IHDR chunk holding width and height.
constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr size_t kHeaderSize = 24;
// Beyond what an editor ever shows: a few hundred bytes of hostile PNG could
// otherwise ask for gigabytes and seconds of decoding.
constexpr uint32_t kMaxSide = 32767;
constexpr uint64_t kMaxPixels = uint64_t{1} << 26;

uint32_t bigEndian(const unsigned char* p)
{
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Reads the header and goes back to the start; false unless it is a PNG of a
// size worth decoding whose pixels take at most maxBytes.
bool hasDecodableHeader(IPlatformResourceInputStream& stream, uint64_t maxBytes)
{
    unsigned char header[kHeaderSize];
    if (readFromStream(&stream, header, kHeaderSize) != CAIRO_STATUS_SUCCESS ||
        stream.seek(0, SeekMode::Set) != 0)
        return false;
    if (std::memcmp(header, kSignature, sizeof(kSignature)) != 0 ||
        std::memcmp(header + 12, "IHDR", 4) != 0)
        return false;
    uint32_t width = bigEndian(header + 16);
    uint32_t height = bigEndian(header + 20);
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           uint64_t{width} * height <= kMaxPixels && uint64_t{width} * height * 4 <= maxBytes;
}
} // namespace

std::shared_ptr<CairoBitmap> CairoBitmap::fromPNG(IPlatformResourceInputStream& stream,
                                                  uint64_t maxBytes)
{
    if (!hasDecodableHeader(stream, maxBytes))
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readFromStream, &stream);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::shared_ptr<CairoBitmap>(new CairoBitmap(surface));
}

std::shared_ptr<CairoBitmap> CairoBitmap::sharing(cairo_surface_t* image)
{
    cairo_surface_flush(image);
    return std::shared_ptr<CairoBitmap>(new CairoBitmap(cairo_surface_reference(image)));
}

CairoBitmap::~CairoBitmap() noexcept
{
    cairo_surface_destroy(surface);
}

int32_t CairoBitmap::getWidth() const
{
    return cairo_image_surface_get_width(surface);
}

int32_t CairoBitmap::getHeight() const
{
    return cairo_image_surface_get_height(surface);
}

} // namespace VSTGUI
