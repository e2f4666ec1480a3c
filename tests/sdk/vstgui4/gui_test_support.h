// A throw-away resource folder for editor tests: files written into it are
// what the platform factory's resource streams see.
#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/platform/iplatformoffscreen.h"
#include "vstgui/lib/platform/linux/linuxfactory.h"
#include "vstgui/lib/platform/platformfactory.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace ferrulith::test
{

class TempResourceFolder
{
public:
    TempResourceFolder()
    {
        static int counter = 0;
        path = std::filesystem::temp_directory_path() /
               ("ferrulith-gui-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path);
        VSTGUI::getPlatformFactory().asLinuxFactory()->setResourcePath(path.string());
    }
    ~TempResourceFolder()
    {
        VSTGUI::getPlatformFactory().asLinuxFactory()->setResourcePath("");
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
        image->writePNG((path / name).string());
    }
    std::filesystem::path path;
};

} // namespace ferrulith::test
