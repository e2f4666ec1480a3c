// The platform factory's resource streams: what the engine's data look-ups and
// the editor's uidesc and image loading rely on. Linux and Windows alike.
#include "support/platformresources.h"

#include "vstgui/lib/cresourcedescription.h"
#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include "vstgui/lib/vstguiinit.h"
#if defined(_WIN32)
#include "vstgui/lib/platform/win32/win32modulepath.h"
#include "vstgui/lib/platform/win32/win32strings.h"
#else
#include "vstgui/lib/platform/linux/modulepath.h"
#endif

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
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
        folder =
            fs::temp_directory_path() / ("ferrulith-res-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder / "sub");
        std::ofstream(folder / "data.bin", std::ios::binary) << "0123456789";
        std::ofstream(folder / "sub" / "inner.txt") << "inner";
        std::ofstream(folder.parent_path() / "outside.txt") << "secret";
        testsupport::setPlatformResourceFolder((folder / "").string());
    }
    void TearDown() override
    {
        fs::remove_all(folder);
        fs::remove(folder.parent_path() / "outside.txt");
        testsupport::setPlatformResourceFolder("");
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
    EXPECT_FALSE(open((folder.parent_path() / "outside.txt").string().c_str()));
    EXPECT_FALSE(getPlatformFactory().createResourceInputStream(CResourceDescription(1)));
    EXPECT_FALSE(getPlatformFactory().createResourceInputStream(CResourceDescription()));

    testsupport::setPlatformResourceFolder("");
    EXPECT_FALSE(open("data.bin")) << "no resource folder, no resources";
}

TEST(ResourceFolderOfModule, IsTwoLevelsAboveTheModuleFilePlusResources)
{
#if defined(_WIN32)
    EXPECT_EQ(bundleResourceFolder(L"C:\\p\\ferrulith.vst3\\Contents\\x86_64-win\\ferrulith.vst3"),
              L"C:\\p\\ferrulith.vst3\\Contents\\Resources");
    EXPECT_EQ(bundleResourceFolder(L"\\\\server\\share\\x86_64-win\\ferrulith.vst3"),
              L"\\\\server\\share\\Resources");
    EXPECT_EQ(bundleResourceFolder(L"C:\\ferrulith.vst3"), L"");
    EXPECT_EQ(bundleResourceFolder(L""), L"");
#else
    EXPECT_EQ(bundleResourceFolder("/p/ferrulith.vst3/Contents/x86_64-linux/ferrulith.so"),
              "/p/ferrulith.vst3/Contents/Resources");
    EXPECT_EQ(bundleResourceFolder("ferrulith.so"), "");
    EXPECT_EQ(bundleResourceFolder(""), "");
#endif
}

TEST(ResourceFolderOfModule, InitFindsTheLoadedModuleAndExitLeavesAnEmptyFactory)
{
    init(nullptr);
    // This test program is the module here: its folder's parent holds "Resources".
    auto module = findModuleFile(nullptr);
    ASSERT_FALSE(module.empty());
#if defined(_WIN32)
    EXPECT_EQ(testsupport::platformResourceFolder(), utf8FromUtf16(bundleResourceFolder(module)));
#else
    EXPECT_EQ(testsupport::platformResourceFolder(), bundleResourceFolder(module));
#endif
    exit();
    EXPECT_EQ(testsupport::platformResourceFolder(), "");
}
