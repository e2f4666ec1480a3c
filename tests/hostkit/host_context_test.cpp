#include "hostkit/component_handler.h"
#include "hostkit/host_application.h"
#include "hostkit/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace ferrulith::host;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

template <class Interface>
VstPtr<Interface> create(HostApplication& host, const FUID& cid, const FUID& iid)
{
    TUID classId, interfaceId;
    cid.toTUID(classId);
    iid.toTUID(interfaceId);
    void* object = nullptr;
    if (host.createInstance(classId, interfaceId, &object) != kResultOk)
        return {};
    return VstPtr<Interface>::adopt(static_cast<Interface*>(object));
}

} // namespace

TEST(HostApplication, NamesItselfAndMakesMessagesAndAttributeListsOnly)
{
    auto host = makeHostObject<HostApplication>();
    String128 name = {};
    ASSERT_EQ(host->getName(name), kResultOk);
    EXPECT_EQ(utf8FromUtf16(name), "Ferrulith host");

    auto message = create<IMessage>(*host, IMessage::iid, IMessage::iid);
    ASSERT_TRUE(message);
    EXPECT_NE(message->getAttributes(), nullptr);
    EXPECT_TRUE(create<IAttributeList>(*host, IAttributeList::iid, IAttributeList::iid));

    TUID classId, interfaceId;
    IBStream::iid.toTUID(classId);
    IMessage::iid.toTUID(interfaceId);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_NE(host->createInstance(classId, interfaceId, &object), kResultOk);
    EXPECT_EQ(object, nullptr);
    // A message asked for as something it is not is refused, and not leaked.
    EXPECT_FALSE(create<IBStream>(*host, IMessage::iid, IBStream::iid));
    EXPECT_EQ(host->createInstance(classId, interfaceId, nullptr), kInvalidArgument);
}

TEST(HostMessage, KeepsItsIdentifierAndAttributes)
{
    auto message = makeHostObject<HostMessage>();
    EXPECT_EQ(message->getMessageID(), nullptr);
    message->setMessageID("TextMessage");
    EXPECT_STREQ(message->getMessageID(), "TextMessage");
    ASSERT_EQ(message->getAttributes()->setInt("level", -3), kResultOk);
    int64 level = 0;
    EXPECT_EQ(message->getAttributes()->getInt("level", level), kResultOk);
    EXPECT_EQ(level, -3);
    message->setMessageID(nullptr);
    EXPECT_EQ(message->getMessageID(), nullptr);
}

TEST(HostAttributeList, EachKindRoundTripsAndAskingForTheWrongKindFails)
{
    auto list = makeHostObject<HostAttributeList>();
    ASSERT_EQ(list->setInt("i", 1234567890123), kResultOk);
    ASSERT_EQ(list->setFloat("f", 0.125), kResultOk);
    const std::uint8_t blob[3] = {1, 0, 255};
    ASSERT_EQ(list->setBinary("b", blob, 3), kResultOk);
    TChar text[16] = {};
    utf16FromUtf8("Grüße", text, 16);
    ASSERT_EQ(list->setString("s", text), kResultOk);

    int64 i = 0;
    double f = 0.0;
    EXPECT_EQ(list->getInt("i", i), kResultOk);
    EXPECT_EQ(i, 1234567890123);
    EXPECT_EQ(list->getFloat("f", f), kResultOk);
    EXPECT_EQ(f, 0.125);
    const void* data = nullptr;
    uint32 size = 0;
    ASSERT_EQ(list->getBinary("b", data, size), kResultOk);
    ASSERT_EQ(size, 3u);
    EXPECT_EQ(std::memcmp(data, blob, 3), 0);
    TChar back[16] = {};
    ASSERT_EQ(list->getString("s", back, sizeof back), kResultOk);
    EXPECT_EQ(utf8FromUtf16(back), "Grüße");

    EXPECT_EQ(list->getFloat("i", f), kResultFalse);
    EXPECT_EQ(list->getInt("missing", i), kResultFalse);
    EXPECT_EQ(list->getInt(nullptr, i), kResultFalse);
    EXPECT_EQ(list->setInt(nullptr, 1), kInvalidArgument);
    EXPECT_EQ(list->setString("s", nullptr), kInvalidArgument);
    EXPECT_EQ(list->setBinary("b", nullptr, 4), kInvalidArgument);
}

TEST(HostAttributeList, AStringIsCutToTheCallersBufferAndStaysTerminated)
{
    auto list = makeHostObject<HostAttributeList>();
    TChar text[32] = {};
    utf16FromUtf8("Ferrulith", text, 32);
    ASSERT_EQ(list->setString("name", text), kResultOk);
    TChar small[4] = {1, 1, 1, 1};
    ASSERT_EQ(list->getString("name", small, sizeof small), kResultOk);
    EXPECT_EQ(utf8FromUtf16(small), "Fer");
    EXPECT_EQ(small[3], 0);
    EXPECT_EQ(list->getString("name", small, 1), kInvalidArgument); // not even a terminator fits
}

TEST(ComponentHandler, KeepsEditsInOrderForTheNextBlockAndHandsThemOverOnce)
{
    auto handler = makeHostObject<ComponentHandler>();
    EXPECT_EQ(handler->beginEdit(3), kResultOk);
    EXPECT_EQ(handler->performEdit(3, 0.25), kResultOk);
    EXPECT_EQ(handler->performEdit(3, 1.5), kResultOk); // kept within the normalized range
    EXPECT_EQ(handler->endEdit(3), kResultOk);
    EXPECT_EQ(handler->performEdit(8, 1.0), kResultOk);
    EXPECT_NE(handler->performEdit(8, std::nan("")), kResultOk);
    EXPECT_EQ(handler->openGestures(), 0);

    using Edits = std::vector<ComponentHandler::Edit>;
    EXPECT_EQ(handler->takeEdits(), (Edits{{3, 0.25}, {3, 1.0}, {8, 1.0}}));
    EXPECT_TRUE(handler->takeEdits().empty());
}

TEST(ComponentHandler, ARestartForNewValuesReachesTheHostAndOthersAreDeclined)
{
    auto handler = makeHostObject<ComponentHandler>();
    int heard = 0;
    handler->setRestartListener(
        [&](int32 flags)
        {
            EXPECT_TRUE(flags & kParamValuesChanged);
            ++heard;
        });
    EXPECT_EQ(handler->restartComponent(kParamValuesChanged), kResultOk);
    EXPECT_EQ(handler->restartComponent(kLatencyChanged), kNotImplemented);
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(handler->restartCount(), 2);

    // A listener that fails must not throw through the interface.
    handler->setRestartListener([](int32) { throw std::runtime_error("gone"); });
    EXPECT_EQ(handler->restartComponent(kParamValuesChanged), kInternalError);
}

TEST(Text, Utf16FieldsAreReadOnlyUpToTheirSizeAndWrittenAlwaysTerminated)
{
    const char16_t unterminated[4] = {u'a', u'b', u'c', u'd'};
    EXPECT_EQ(utf8FromUtf16(unterminated), "abcd");
    const char narrow[3] = {'x', 'y', 'z'};
    EXPECT_EQ(boundedString(narrow), "xyz");

    char16_t field[4];
    utf16FromUtf8("Ferrulith", field, 4);
    EXPECT_EQ(utf8FromUtf16(field), "Fer");
    // A character outside the basic plane is never split across the cut.
    char16_t pair[3];
    utf16FromUtf8("a\xF0\x9F\x8E\xB8", pair, 3);
    EXPECT_EQ(utf8FromUtf16(pair), "a");
    char16_t wide[4];
    utf16FromUtf8("a\xF0\x9F\x8E\xB8", wide, 4);
    EXPECT_EQ(utf8FromUtf16(wide), "a\xF0\x9F\x8E\xB8");
    // Broken input becomes replacement characters, not garbage.
    const char16_t lone[2] = {0xD800, 0};
    EXPECT_EQ(utf8FromUtf16(lone), "\xEF\xBF\xBD");
}
