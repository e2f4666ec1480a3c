// The class factory that GetPluginFactory hands out: vendor record, the two
// class records, instance creation and the one cached factory.
#include "common/ferrulithcids.h"

#include "public.sdk/source/main/pluginfactory.h"
#include "public.sdk/source/vst/utility/stringconvert.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Steinberg;

namespace
{

std::string bytesOf(const TUID id)
{
    return std::string(id, id + 16);
}

#if COM_COMPATIBLE
// The identifiers' bytes on Windows, in COM order: the first word and each
// half of the second least significant byte first, the last two words most
// significant byte first.
const unsigned char kProcessorBytes[16] = {0x25, 0xCF, 0xE0, 0x69, 0xE8, 0xF9, 0xC0, 0x8C,
                                           0x7B, 0xDB, 0xBF, 0xB8, 0x13, 0x6A, 0xD3, 0x22};
const unsigned char kControllerBytes[16] = {0xF8, 0x05, 0x39, 0x89, 0x0E, 0x69, 0xAB, 0x2B,
                                            0xA2, 0x81, 0x74, 0x52, 0x38, 0x8B, 0x6A, 0x8D};
#else
// The identifiers' bytes on Linux: the four words, each most significant
// byte first.
const unsigned char kProcessorBytes[16] = {0x69, 0xE0, 0xCF, 0x25, 0xF9, 0xE8, 0x8C, 0xC0,
                                           0x7B, 0xDB, 0xBF, 0xB8, 0x13, 0x6A, 0xD3, 0x22};
const unsigned char kControllerBytes[16] = {0x89, 0x39, 0x05, 0xF8, 0x69, 0x0E, 0x2B, 0xAB,
                                            0xA2, 0x81, 0x74, 0x52, 0x38, 0x8B, 0x6A, 0x8D};
#endif

// Every byte after the text is zero: hosts may read the whole field.
bool fieldIs(const char* field, size_t size, const char* text)
{
    const size_t n = std::strlen(text);
    if (n >= size || std::memcmp(field, text, n) != 0)
        return false;
    for (size_t i = n; i < size; ++i)
        if (field[i] != 0)
            return false;
    return true;
}

template <size_t N> bool fieldIs(const char (&field)[N], const char* text)
{
    return fieldIs(field, N, text);
}

class FactoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(gPluginFactory, nullptr);
        factory = GetPluginFactory();
        ASSERT_NE(factory, nullptr);
        void* found = nullptr;
        ASSERT_EQ(factory->queryInterface(IPluginFactory3::iid, &found), kResultOk);
        factory3 = static_cast<IPluginFactory3*>(found);
    }
    void TearDown() override
    {
        factory3->release();
        EXPECT_EQ(factory->release(), 0u);
        EXPECT_EQ(gPluginFactory, nullptr);
    }
    IPluginFactory* factory = nullptr;
    IPluginFactory3* factory3 = nullptr;
};

} // namespace

TEST_F(FactoryTest, VendorRecordDeclaresUnicode)
{
    PFactoryInfo info;
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    EXPECT_EQ(info.flags, 16);
    EXPECT_TRUE(fieldIs(info.vendor, "Quorvelware"));
    EXPECT_EQ(std::string(info.email).rfind("mailto:", 0), 0u);
    EXPECT_GT(std::strlen(info.url), 0u);
    EXPECT_EQ(factory->getFactoryInfo(nullptr), kInvalidArgument);
}

TEST_F(FactoryTest, ListsTheProcessorThenTheController)
{
    ASSERT_EQ(factory->countClasses(), 2);

    PClassInfo2 processor;
    ASSERT_EQ(factory3->getClassInfo2(0, &processor), kResultOk);
    EXPECT_EQ(bytesOf(processor.cid), bytesOf(reinterpret_cast<const char*>(kProcessorBytes)));
    EXPECT_EQ(bytesOf(processor.cid), bytesOf(quorvelware::kFerrulithProcessorUID.toTUID()));
    EXPECT_EQ(processor.cardinality, 2147483647);
    EXPECT_TRUE(fieldIs(processor.category, "Audio Module Class"));
    EXPECT_TRUE(fieldIs(processor.name, "Ferrulith"));
    EXPECT_EQ(processor.classFlags, 1u);
    EXPECT_TRUE(fieldIs(processor.subCategories, "Fx"));
    EXPECT_TRUE(fieldIs(processor.vendor, ""));
    EXPECT_TRUE(fieldIs(processor.version, "1.0.0.1"));
    EXPECT_TRUE(fieldIs(processor.sdkVersion, "VST 3.7.12"));

    PClassInfo2 controller;
    ASSERT_EQ(factory3->getClassInfo2(1, &controller), kResultOk);
    EXPECT_EQ(bytesOf(controller.cid), bytesOf(reinterpret_cast<const char*>(kControllerBytes)));
    EXPECT_EQ(controller.cardinality, 2147483647);
    EXPECT_TRUE(fieldIs(controller.category, "Component Controller Class"));
    EXPECT_TRUE(fieldIs(controller.name, "FerrulithController"));
    EXPECT_EQ(controller.classFlags, 0u);
    EXPECT_TRUE(fieldIs(controller.subCategories, ""));
    EXPECT_TRUE(fieldIs(controller.vendor, ""));
    EXPECT_TRUE(fieldIs(controller.version, "1.0.0.1"));
    EXPECT_TRUE(fieldIs(controller.sdkVersion, "VST 3.7.12"));

    // The first-generation record is the head of the same record.
    PClassInfo basic;
    ASSERT_EQ(factory->getClassInfo(1, &basic), kResultOk);
    EXPECT_EQ(bytesOf(basic.cid), bytesOf(controller.cid));
    EXPECT_TRUE(fieldIs(basic.name, "FerrulithController"));

    EXPECT_EQ(factory->getClassInfo(2, &basic), kInvalidArgument);
    EXPECT_EQ(factory->getClassInfo(-1, &basic), kInvalidArgument);
    EXPECT_EQ(factory3->getClassInfo2(0, nullptr), kInvalidArgument);
}

TEST_F(FactoryTest, UnicodeRecordsCarryTheSameTexts)
{
    for (int32 i = 0; i < 2; ++i)
    {
        PClassInfo2 narrow;
        PClassInfoW wide;
        ASSERT_EQ(factory3->getClassInfo2(i, &narrow), kResultOk);
        ASSERT_EQ(factory3->getClassInfoUnicode(i, &wide), kResultOk);
        EXPECT_EQ(bytesOf(wide.cid), bytesOf(narrow.cid));
        EXPECT_EQ(wide.cardinality, narrow.cardinality);
        EXPECT_EQ(std::string(wide.category), narrow.category);
        EXPECT_EQ(Steinberg::Vst::StringConvert::convert(wide.name), narrow.name);
        EXPECT_EQ(wide.classFlags, narrow.classFlags);
        EXPECT_EQ(std::string(wide.subCategories), narrow.subCategories);
        EXPECT_EQ(Steinberg::Vst::StringConvert::convert(wide.vendor), narrow.vendor);
        EXPECT_EQ(Steinberg::Vst::StringConvert::convert(wide.version), narrow.version);
        EXPECT_EQ(Steinberg::Vst::StringConvert::convert(wide.sdkVersion), narrow.sdkVersion);
    }
}

TEST_F(FactoryTest, CreatesEachClassUnderItsIdentifier)
{
    void* obj = nullptr;
    ASSERT_EQ(
        factory->createInstance(quorvelware::kFerrulithProcessorUID, Vst::IComponent::iid, &obj),
        kResultOk);
    auto* component = static_cast<Vst::IComponent*>(obj);
    TUID controllerClass{};
    EXPECT_EQ(component->getControllerClassId(controllerClass), kResultOk);
    EXPECT_EQ(bytesOf(controllerClass), bytesOf(quorvelware::kFerrulithControllerUID.toTUID()));
    // The host holds the only reference.
    EXPECT_EQ(component->release(), 0u);

    ASSERT_EQ(factory->createInstance(quorvelware::kFerrulithControllerUID,
                                      Vst::IEditController::iid, &obj),
              kResultOk);
    auto* controller = static_cast<Vst::IEditController*>(obj);
    EXPECT_EQ(controller->initialize(nullptr), kResultOk);
    EXPECT_EQ(controller->getParameterCount(), 10);
    controller->terminate();
    EXPECT_EQ(controller->release(), 0u);
}

TEST_F(FactoryTest, UnknownClassesAndInterfacesGiveNoObject)
{
    const TUID stranger = INLINE_UID(0x01020304, 0x05060708, 0x090A0B0C, 0x0D0E0F10);
    void* obj = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(factory->createInstance(stranger, Vst::IComponent::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);

    // The controller is no component; the instance made on the way is freed
    // (the sanitizer build catches a leak).
    obj = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(
        factory->createInstance(quorvelware::kFerrulithControllerUID, Vst::IComponent::iid, &obj),
        kNoInterface);
    EXPECT_EQ(obj, nullptr);

    EXPECT_EQ(factory->createInstance(quorvelware::kFerrulithControllerUID,
                                      Vst::IEditController::iid, nullptr),
              kInvalidArgument);
    EXPECT_EQ(factory->createInstance(nullptr, Vst::IEditController::iid, &obj), kInvalidArgument);
    EXPECT_EQ(obj, nullptr);
}

TEST_F(FactoryTest, OneFactoryWhileItLivesAndAFreshOneAfterwards)
{
    IPluginFactory* again = GetPluginFactory();
    EXPECT_EQ(again, factory);
    EXPECT_EQ(again->countClasses(), 2); // nothing registered twice
    EXPECT_EQ(again->addRef(), 4u);      // SetUp's, factory3's, again's and this one
    again->release();
    again->release();

    // Release every reference: the next call builds a new factory with the
    // same records.
    PClassInfoW before[2];
    factory3->getClassInfoUnicode(0, &before[0]);
    factory3->getClassInfoUnicode(1, &before[1]);
    factory3->release();
    EXPECT_EQ(factory->release(), 0u);
    EXPECT_EQ(gPluginFactory, nullptr);

    factory = GetPluginFactory();
    ASSERT_NE(factory, nullptr);
    void* found = nullptr;
    ASSERT_EQ(factory->queryInterface(IPluginFactory3::iid, &found), kResultOk);
    factory3 = static_cast<IPluginFactory3*>(found);
    ASSERT_EQ(factory3->countClasses(), 2);
    for (int32 i = 0; i < 2; ++i)
    {
        PClassInfoW after;
        factory3->getClassInfoUnicode(i, &after);
        EXPECT_EQ(std::memcmp(&after, &before[i], sizeof(after)), 0);
    }
}

TEST(PluginFactory, RegisterClassRefusesIncompleteRecords)
{
    auto* factory = new CPluginFactory(PFactoryInfo("V", "", "", PFactoryInfo::kUnicode));
    PClassInfo2 info;
    auto create = [](void*) -> FUnknown* { return nullptr; };
    EXPECT_FALSE(factory->registerClass(static_cast<const PClassInfo2*>(nullptr), create));
    EXPECT_FALSE(factory->registerClass(&info, nullptr));
    EXPECT_EQ(factory->countClasses(), 0);

    // A class registered from its UTF-16 record gets an 8-bit one in UTF-8.
    const TUID cid = INLINE_UID(1, 2, 3, 4);
    PClassInfoW wide(cid, 1, "Audio Module Class", u"Gr\u00FC\u00DFe", 0, "Fx", u"", u"1.0",
                     u"VST 3.7.12");
    EXPECT_TRUE(factory->registerClass(&wide, create));
    PClassInfo2 narrow;
    ASSERT_EQ(factory->getClassInfo2(0, &narrow), kResultOk);
    EXPECT_STREQ(narrow.name, "Gr\xC3\xBC\xC3\x9F"
                              "e");
    EXPECT_TRUE(factory->isClassRegistered(FUID::fromTUID(cid)));

    // A create function that yields nothing gives no object.
    void* obj = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(factory->createInstance(cid, FUnknown::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(factory->release(), 0u);
}
