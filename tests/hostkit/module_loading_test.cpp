#include "hostkit/host_error.h"
#include "hostkit/platform/module_library.h"
#include "hostkit/plugin_instance.h"
#include "hostkit/plugin_module.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace ferrulith::host;

namespace
{

std::string errorFrom(const std::string& path)
{
    try
    {
        PluginModule module(path);
    }
    catch (const HostError& error)
    {
        return error.what();
    }
    return "(loaded)";
}

} // namespace

TEST(ModuleLoading, ABundleFolderLeadsToItsBinaryForThisMachine)
{
    const auto folder =
        std::filesystem::temp_directory_path() / "ferrulith-host-test" / "Thing.vst3";
    std::filesystem::create_directories(folder);
#if defined(_WIN32)
    // The DLL carries the bundle's own name.
    const std::string binary = folder.string() + "\\Contents\\x86_64-win\\Thing.vst3";
#else
    const std::string binary = folder.string() + "/Contents/x86_64-linux/Thing.so";
#endif
    EXPECT_EQ(moduleFileInBundle(folder.string()), binary);
    EXPECT_EQ(moduleFileInBundle(folder.string() + "/"), binary);
    EXPECT_EQ(moduleFileInBundle("/no/such/file.so"), "/no/such/file.so");
    std::filesystem::remove_all(folder.parent_path());
}

TEST(ModuleLoading, UnusableFilesAreReportedByNameWithTheReason)
{
    const std::string missing = errorFrom("/no/such/bundle.vst3");
    EXPECT_NE(missing.find("/no/such/bundle.vst3"), std::string::npos) << missing;

    const std::string notModule = errorFrom(NOT_A_MODULE_PATH);
    EXPECT_NE(notModule.find("not a VST 3 module"), std::string::npos) << notModule;

    const std::string refusing = errorFrom(REFUSING_MODULE_PATH);
    EXPECT_NE(refusing.find("refused to start"), std::string::npos) << refusing;
}

TEST(ModuleLoading, AHostileFactoryIsListedSafelyAndItsUnmakeableClassIsAnError)
{
    PluginModule module(HOSTILE_MODULE_PATH);
    const FactoryListing& listing = module.listing();
    EXPECT_EQ(listing.info.vendor, "Nobody");
    EXPECT_FALSE(listing.hasFactory2);
    ASSERT_EQ(listing.classes.size(), 2u);
    EXPECT_FALSE(listing.classes[0].hasInfo2);
    // A name filling its field with no terminator is read to the field's end.
    EXPECT_EQ(listing.classes[1].name, std::string(64, 'N'));

    try
    {
        PluginInstance instance(module);
        FAIL() << "an unmakeable class gave an instance";
    }
    catch (const HostError& error)
    {
        EXPECT_NE(std::string(error.what()).find("cannot make class 01010101"), std::string::npos)
            << error.what();
    }
}
