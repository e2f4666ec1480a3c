// PNG loading as the editor does it, from any bytes: either no image, or an
// image whose size is the one its header announced and whose decoded pixels
// fit the editor's memory budget.
#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include "vstgui/lib/platform/linux/cairobitmap.h"
#include "vstgui/uidescription/uimemorybudget.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstring>

using namespace VSTGUI;
using ferrulith::fuzz::check;

namespace
{

class MemoryResourceStream final : public IPlatformResourceInputStream
{
public:
    MemoryResourceStream(const uint8_t* data, size_t size) : data(data), size(size) {}
    uint32_t readRaw(void* buffer, uint32_t count) override
    {
        const size_t n = std::min<size_t>(count, size - pos);
        std::memcpy(buffer, data + pos, n);
        pos += n;
        return static_cast<uint32_t>(n);
    }
    int64_t seek(int64_t to, SeekMode mode) override
    {
        const int64_t base = mode == SeekMode::Set ? 0 : mode == SeekMode::Current ? pos : size;
        if (base + to < 0 || base + to > static_cast<int64_t>(size))
            return kStreamSeekError;
        pos = static_cast<size_t>(base + to);
        return static_cast<int64_t>(pos);
    }
    int64_t tell() override { return static_cast<int64_t>(pos); }

private:
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

uint32_t bigEndian(const uint8_t* p)
{
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryResourceStream stream(data, size);
    auto bitmap = CairoBitmap::fromPNG(stream, UIMemoryBudget::kTotalBytes);
    if (!bitmap)
        return 0;
    const bool sizeAsAnnounced = size >= 24 &&
                                 bigEndian(data + 16) == uint32_t(bitmap->getWidth()) &&
                                 bigEndian(data + 20) == uint32_t(bitmap->getHeight());
    const bool withinBudget =
        surfaceBytes(uint64_t(bitmap->getWidth()), uint64_t(bitmap->getHeight())) <=
        UIMemoryBudget::kTotalBytes;
    check(sizeAsAnnounced && withinBudget,
          "a decoded image is the size its header announced, within budget");
    return 0;
}
