// A throw-away resource folder for editor tests: files written into it are
// what the platform factory's resource streams see.
#pragma once

#include "support/platformresources.h"

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/platform/iplatformoffscreen.h"
#include "vstgui/lib/platform/platformfactory.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace ferrulith::test
{

// Writes what an offscreen surface shows as a PNG file, encoded by the
// platform factory as the editor encodes its own pictures.
inline bool writeOffscreenPNG(VSTGUI::IPlatformOffscreen& image, const std::string& file)
{
    const VSTGUI::PlatformBitmapPtr bitmap = image.getBitmap();
    if (!bitmap)
        return false;
    const VSTGUI::PNGBitmapBuffer png =
        VSTGUI::getPlatformFactory().createBitmapMemoryPNGRepresentation(bitmap);
    if (png.empty())
        return false;
    std::ofstream out(std::filesystem::path(file), std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out.flush());
}

class TempResourceFolder
{
public:
    TempResourceFolder()
    {
        static int counter = 0;
        path = std::filesystem::temp_directory_path() /
               ("ferrulith-gui-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path);
        testsupport::setPlatformResourceFolder(path.string());
    }
    ~TempResourceFolder()
    {
        testsupport::setPlatformResourceFolder("");
        std::filesystem::remove_all(path);
    }
    void write(const std::string& name, const std::string& content) const
    {
        std::ofstream(path / name, std::ios::binary) << content;
    }
    // A PNG of width x height filled with one colour per band of bandHeight rows.
    void writeBandsPNG(const std::string& name, int width, int height, int bandHeight) const
    {
        auto image = VSTGUI::getPlatformFactory().createOffscreen(width, height);
        auto& context = image->getDrawContext();
        for (int top = 0, i = 0; top < height; top += bandHeight, ++i)
        {
            context.setFillColor(VSTGUI::CColor(static_cast<uint8_t>(40 + 50 * (i % 4)),
                                                static_cast<uint8_t>(200 - 30 * (i % 5)), 90));
            context.drawRect(VSTGUI::CRect(0, top, width, top + bandHeight), VSTGUI::kDrawFilled);
        }
        writeOffscreenPNG(*image, (path / name).string());
    }
    std::filesystem::path path;
};

} // namespace ferrulith::test
