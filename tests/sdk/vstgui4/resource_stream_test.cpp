// The platform factory's resource streams: what the engine's data look-ups and
// the editor's uidesc and image loading rely on.
#include "vstgui/lib/cresourcedescription.h"
#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include "vstgui/lib/platform/linux/linuxfactory.h"
#include "vstgui/lib/platform/linux/modulepath.h"
#include "vstgui/lib/platform/platformfactory.h"
#include "vstgui/lib/vstguiinit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace VSTGUI;

namespace
{
class ResourceFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("ferrulith-res-" + std::to_string(::getpid()));
        fs::create_directories(folder / "sub");
        std::ofstream(folder / "data.bin", std::ios::binary) << "0123456789";
        std::ofstream(folder / "sub" / "inner.txt") << "inner";
        std::ofstream(folder.parent_path() / "outside.txt") << "secret";
        getPlatformFactory().asLinuxFactory()->setResourcePath(folder.string() + "/");
    }
    void TearDown() override
    {
        fs::remove_all(folder);
        fs::remove(folder.parent_path() / "outside.txt");
        getPlatformFactory().asLinuxFactory()->setResourcePath("");
    }
    PlatformResourceInputStreamPtr open(const char* name)
    {
        return getPlatformFactory().createResourceInputStream(CResourceDescription(name));
    }
    fs::path folder;
};
} // namespace

TEST_F(ResourceFolder, NamedResourceReadsInChunksThenReportsEnd)
{
    auto stream = open("data.bin");
    ASSERT_TRUE(stream);
    char buffer[16] = {};
    EXPECT_EQ(stream->readRaw(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(stream->readRaw(buffer, 16), 6u);
    EXPECT_EQ(std::string(buffer, 6), "456789");
    EXPECT_EQ(stream->readRaw(buffer, 16), 0u);
    EXPECT_EQ(stream->seek(2, SeekMode::Set), 2);
    EXPECT_EQ(stream->readRaw(buffer, 1), 1u);
    EXPECT_EQ(buffer[0], '2');
    EXPECT_EQ(stream->seek(0, SeekMode::End), 10);

    auto inner = open("sub/inner.txt");
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->readRaw(buffer, 16), 5u);
}

TEST_F(ResourceFolder, UnopenableResourcesGiveNoStream)
{
    EXPECT_FALSE(open("missing.bin"));
    EXPECT_FALSE(open("sub")) << "a folder is not a resource";
    EXPECT_FALSE(open(""));
    EXPECT_FALSE(open(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(open("../outside.txt")) << "names stay inside the resource folder";
    EXPECT_FALSE(open((folder.parent_path() / "outside.txt").c_str()));
    EXPECT_FALSE(getPlatformFactory().createResourceInputStream(CResourceDescription(1)));
    EXPECT_FALSE(getPlatformFactory().createResourceInputStream(CResourceDescription()));

    getPlatformFactory().asLinuxFactory()->setResourcePath("");
    EXPECT_FALSE(open("data.bin")) << "no resource folder, no resources";
}

TEST(ResourceFolderOfModule, IsTwoLevelsAboveTheModuleFilePlusResources)
{
    EXPECT_EQ(bundleResourceFolder("/p/ferrulith.vst3/Contents/x86_64-linux/ferrulith.so"),
              "/p/ferrulith.vst3/Contents/Resources");
    EXPECT_EQ(bundleResourceFolder("ferrulith.so"), "");
    EXPECT_EQ(bundleResourceFolder(""), "");
}

TEST(ResourceFolderOfModule, InitFindsTheLoadedModuleAndExitLeavesAnEmptyFactory)
{
    init(nullptr);
    // This test program is the module here: its folder's parent holds "Resources".
    auto module = findModuleFile(nullptr);
    ASSERT_FALSE(module.empty());
    EXPECT_EQ(getPlatformFactory().asLinuxFactory()->getResourcePath(),
              bundleResourceFolder(module));
    exit();
    EXPECT_EQ(getPlatformFactory().asLinuxFactory()->getResourcePath(), "");
}
