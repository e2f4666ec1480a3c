// ComponentBase: host context and peer handling as hosts drive them, and text
// messages through host-made messages.
#include "public.sdk/source/vst/vstcomponentbase.h"

#include "pluginterfaces/vst/ivsthostapplication.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

class TestAttributes : public FObject, public IAttributeList
{
public:
    std::map<std::string, std::u16string> strings;
    tresult PLUGIN_API setInt(AttrID, int64) override { return kNotImplemented; }
    tresult PLUGIN_API getInt(AttrID, int64&) override { return kNotImplemented; }
    tresult PLUGIN_API setFloat(AttrID, double) override { return kNotImplemented; }
    tresult PLUGIN_API getFloat(AttrID, double&) override { return kNotImplemented; }
    tresult PLUGIN_API setString(AttrID id, const TChar* s) override
    {
        strings[id] = s;
        return kResultOk;
    }
    tresult PLUGIN_API getString(AttrID id, TChar* s, uint32 sizeInBytes) override
    {
        auto it = strings.find(id);
        if (it == strings.end())
            return kResultFalse;
        const size_t units = std::min<size_t>(it->second.size() + 1, sizeInBytes / sizeof(TChar));
        std::copy_n(it->second.c_str(), units, s);
        return kResultOk;
    }
    tresult PLUGIN_API setBinary(AttrID, const void*, uint32) override { return kNotImplemented; }
    tresult PLUGIN_API getBinary(AttrID, const void*&, uint32&) override { return kNotImplemented; }
    DEF_INTERFACES_1(IAttributeList, FObject)
    REFCOUNT_METHODS(FObject)
};

class TestMessage : public FObject, public IMessage
{
public:
    std::string id;
    IPtr<TestAttributes> attributes = owned(new TestAttributes);
    FIDString PLUGIN_API getMessageID() override { return id.c_str(); }
    void PLUGIN_API setMessageID(FIDString newId) override { id = newId ? newId : ""; }
    IAttributeList* PLUGIN_API getAttributes() override { return attributes; }
    DEF_INTERFACES_1(IMessage, FObject)
    REFCOUNT_METHODS(FObject)
};

class TestHost : public FObject, public IHostApplication
{
public:
    tresult PLUGIN_API getName(String128 name) override
    {
        name[0] = 0;
        return kResultOk;
    }
    tresult PLUGIN_API createInstance(TUID cid, TUID iid, void** obj) override
    {
        if (FUID::fromTUID(cid) == IMessage::iid && FUID::fromTUID(iid) == IMessage::iid)
        {
            *obj = static_cast<IMessage*>(new TestMessage);
            return kResultOk;
        }
        *obj = nullptr;
        return kResultFalse;
    }
    DEF_INTERFACES_1(IHostApplication, FObject)
    REFCOUNT_METHODS(FObject)
};

class TextReceiver : public ComponentBase
{
public:
    std::string received;
    int disconnectCalls = 0;
    tresult receiveText(const char8* text) override
    {
        received = text;
        return kResultOk;
    }
    tresult PLUGIN_API disconnect(IConnectionPoint* other) override
    {
        ++disconnectCalls;
        return ComponentBase::disconnect(other);
    }
};

} // namespace

TEST(ComponentBase, InitializeKeepsOneHostContextUntilTerminate)
{
    auto host = owned(new TestHost);
    auto component = owned(new ComponentBase);
    EXPECT_EQ(component->initialize(host->unknownCast()), kResultOk);
    EXPECT_EQ(host->getRefCount(), 2);
    EXPECT_EQ(component->getHostContext(), host->unknownCast());
    EXPECT_EQ(component->initialize(host->unknownCast()), kResultFalse);
    EXPECT_EQ(host->getRefCount(), 2);

    EXPECT_EQ(component->terminate(), kResultOk);
    EXPECT_EQ(component->getHostContext(), nullptr);
    EXPECT_EQ(host->getRefCount(), 1);
    EXPECT_EQ(component->initialize(host->unknownCast()), kResultOk);
    EXPECT_EQ(component->terminate(), kResultOk);
}

TEST(ComponentBase, NullContextIsAcceptedAndHoldsNothing)
{
    auto component = owned(new ComponentBase);
    EXPECT_EQ(component->initialize(nullptr), kResultOk);
    EXPECT_EQ(component->getHostContext(), nullptr);
    EXPECT_EQ(component->allocateMessage(), nullptr);
    EXPECT_EQ(component->sendTextMessage("x"), kResultFalse);
}

TEST(ComponentBase, ReleasesHostContextAndPeerWhenDestroyedWithoutTerminate)
{
    auto host = owned(new TestHost);
    auto peer = owned(new TextReceiver);
    {
        auto component = owned(new ComponentBase);
        component->initialize(host->unknownCast());
        component->connect(peer);
        EXPECT_EQ(peer->getRefCount(), 2);
    }
    EXPECT_EQ(host->getRefCount(), 1);
    EXPECT_EQ(peer->getRefCount(), 1);
}

TEST(ComponentBase, HoldsOnePeerAndDisconnectsOnlyThatPeer)
{
    auto component = owned(new ComponentBase);
    auto peer = owned(new TextReceiver);
    auto stranger = owned(new TextReceiver);
    EXPECT_EQ(component->connect(nullptr), kInvalidArgument);
    EXPECT_EQ(component->connect(peer), kResultOk);
    EXPECT_EQ(component->connect(stranger), kResultFalse);
    EXPECT_EQ(component->getPeer(), static_cast<IConnectionPoint*>(peer.get()));
    EXPECT_EQ(component->disconnect(stranger), kResultFalse);
    EXPECT_EQ(component->disconnect(peer), kResultOk);
    EXPECT_EQ(component->getPeer(), nullptr);
    EXPECT_EQ(component->disconnect(peer), kResultFalse);
    EXPECT_EQ(peer->getRefCount(), 1);
}

TEST(ComponentBase, TerminateDisconnectsAPeerTheHostLeftConnected)
{
    auto component = owned(new ComponentBase);
    auto peer = owned(new TextReceiver);
    component->connect(peer);
    peer->connect(component);
    EXPECT_EQ(component->terminate(), kResultOk);
    EXPECT_EQ(peer->disconnectCalls, 1);
    EXPECT_EQ(peer->getPeer(), nullptr);
    EXPECT_EQ(component->getPeer(), nullptr);
    EXPECT_EQ(peer->getRefCount(), 1);
    EXPECT_EQ(component->getRefCount(), 1);
}

TEST(ComponentBase, TextMessageReachesThePeerAsUtf8)
{
    auto host = owned(new TestHost);
    auto sender = owned(new ComponentBase);
    auto receiver = owned(new TextReceiver);
    sender->initialize(host->unknownCast());
    sender->connect(receiver);
    EXPECT_EQ(sender->sendTextMessage("Gr\xC3\xBC\xC3\x9F"
                                      "e \xF0\x9F\x8E\xB8"),
              kResultOk);
    EXPECT_EQ(receiver->received, "Gr\xC3\xBC\xC3\x9F"
                                  "e \xF0\x9F\x8E\xB8");
    sender->terminate();
}

TEST(ComponentBase, LongTextIsCutWithoutSplittingACharacter)
{
    auto host = owned(new TestHost);
    auto sender = owned(new ComponentBase);
    auto receiver = owned(new TextReceiver);
    sender->initialize(host->unknownCast());
    sender->connect(receiver);
    // 254 ASCII units, then a character that needs two UTF-16 units.
    const std::string text = std::string(254, 'a') + "\xF0\x9F\x8E\xB8";
    EXPECT_EQ(sender->sendTextMessage(text.c_str()), kResultOk);
    EXPECT_EQ(receiver->received, std::string(254, 'a'));
    sender->terminate();
}

TEST(ComponentBase, NotifyAnswersOnlyTextMessages)
{
    auto component = owned(new TextReceiver);
    EXPECT_EQ(component->notify(nullptr), kInvalidArgument);
    auto other = owned(new TestMessage);
    other->id = "SomethingElse";
    EXPECT_EQ(component->notify(other), kResultFalse);
    auto empty = owned(new TestMessage);
    empty->id = "TextMessage"; // no "Text" attribute
    EXPECT_EQ(component->notify(empty), kResultFalse);
    EXPECT_TRUE(component->received.empty());
}

TEST(ComponentBase, QueryInterfaceTriesPluginBaseConnectionPointThenFObject)
{
    auto component = owned(new ComponentBase);
    void* found = nullptr;
    ASSERT_EQ(component->queryInterface(IPluginBase::iid, &found), kResultOk);
    EXPECT_EQ(found, static_cast<void*>(static_cast<IPluginBase*>(component.get())));
    static_cast<FUnknown*>(found)->release();
    ASSERT_EQ(component->queryInterface(IConnectionPoint::iid, &found), kResultOk);
    EXPECT_EQ(found, static_cast<void*>(static_cast<IConnectionPoint*>(component.get())));
    static_cast<FUnknown*>(found)->release();
    ASSERT_EQ(component->queryInterface(FUnknown::iid, &found), kResultOk);
    EXPECT_EQ(found, static_cast<void*>(component->unknownCast()));
    static_cast<FUnknown*>(found)->release();
    EXPECT_EQ(component->getRefCount(), 1);
    EXPECT_STREQ(component->isA(), "ComponentBase");
}
