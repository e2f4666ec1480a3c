// FObject: one reference count behind every interface, the queryInterface
// chain, class identity, and dependents that may come and go while they are
// being notified.
#include "base/source/fobject.h"
#include "base/source/updatehandler.h"
#include "pluginterfaces/base/ipluginbase.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace Steinberg;

namespace
{

int gDestroyed = 0;

class Plain : public FObject
{
public:
    ~Plain() override { ++gDestroyed; }
    std::vector<int32> done;
    void updateDone(int32 msg) override { done.push_back(msg); }
    OBJ_METHODS(Plain, FObject)
};

class Derived : public Plain, public IPluginBase
{
public:
    tresult PLUGIN_API initialize(FUnknown*) override { return kResultOk; }
    tresult PLUGIN_API terminate() override { return kResultOk; }
    OBJ_METHODS(Derived, Plain)
    DEFINE_INTERFACES
    DEF_INTERFACE(IPluginBase)
    END_DEFINE_INTERFACES(Plain)
    REFCOUNT_METHODS(Plain)
};

// A dependent that records what it hears and can run an action on update.
class Watcher : public FObject
{
public:
    std::vector<std::pair<FUnknown*, int32>> heard;
    std::function<void()> onUpdate;
    void PLUGIN_API update(FUnknown* changed, int32 message) override
    {
        heard.push_back({changed, message});
        if (onUpdate)
            onUpdate();
    }
    OBJ_METHODS(Watcher, FObject)
};

} // namespace

TEST(FObject, ReferenceCountStartsAtOneAndLastReleaseDestroys)
{
    gDestroyed = 0;
    auto* object = new Plain;
    EXPECT_EQ(object->getRefCount(), 1);
    EXPECT_EQ(object->addRef(), 2u);
    EXPECT_EQ(object->release(), 1u);
    EXPECT_EQ(gDestroyed, 0);
    EXPECT_EQ(object->release(), 0u);
    EXPECT_EQ(gDestroyed, 1);
}

TEST(FObject, EveryInterfacePointerSharesOneCount)
{
    gDestroyed = 0;
    auto* object = new Derived;
    void* found = nullptr;
    ASSERT_EQ(object->queryInterface(IPluginBase::iid, &found), kResultOk);
    auto* base = static_cast<IPluginBase*>(found);
    EXPECT_EQ(static_cast<void*>(base), static_cast<void*>(static_cast<IPluginBase*>(object)));
    EXPECT_EQ(object->getRefCount(), 2);
    EXPECT_EQ(base->addRef(), 3u);
    EXPECT_EQ(base->release(), 2u);
    base->release();
    EXPECT_EQ(static_cast<FObject*>(object)->release(), 0u);
    EXPECT_EQ(gDestroyed, 1);
}

TEST(FObject, QueryInterfaceTriesOwnInterfacesThenFObjectsThenRefuses)
{
    auto object = owned(new Derived);
    void* found = nullptr;
    ASSERT_EQ(object->queryInterface(FUnknown::iid, &found), kResultOk);
    EXPECT_EQ(found, static_cast<void*>(object->unknownCast()));
    static_cast<FUnknown*>(found)->release();

    ASSERT_EQ(object->queryInterface(IDependent::iid, &found), kResultOk);
    static_cast<FUnknown*>(found)->release();
    ASSERT_EQ(object->queryInterface(FObject::iid, &found), kResultOk);
    static_cast<FUnknown*>(found)->release();

    found = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(object->queryInterface(IPluginFactory::iid, &found), kNoInterface);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(object->getRefCount(), 1);
}

TEST(FObject, IsAMatchesTheExactClassAndIsTypeOfTheHierarchy)
{
    auto object = owned(new Derived);
    EXPECT_STREQ(object->isA(), "Derived");
    EXPECT_TRUE(object->isA("Derived"));
    EXPECT_FALSE(object->isA("Plain"));
    EXPECT_TRUE(object->isTypeOf("Plain"));
    EXPECT_TRUE(object->isTypeOf("FObject"));
    EXPECT_FALSE(object->isTypeOf("Plain", false));
    EXPECT_FALSE(object->isTypeOf("Watcher"));
    EXPECT_FALSE(object->isTypeOf(nullptr));

    EXPECT_EQ(FCast<Plain>(object.get()), static_cast<Plain*>(object.get()));
    EXPECT_EQ(FCast<Watcher>(object.get()), nullptr);
    EXPECT_EQ(FCast<Derived>(static_cast<IPluginBase*>(object.get())), object.get());
}

TEST(FObjectDependents, ChangedNotifiesEachDependentThenUpdateDone)
{
    auto object = owned(new Plain);
    Watcher first, second;
    object->addDependent(&first);
    object->addDependent(&second);
    object->addDependent(&second); // kept once
    object->changed(IDependent::kWillChange);
    object->changed();

    const std::vector<std::pair<FUnknown*, int32>> expected = {
        {object->unknownCast(), IDependent::kWillChange},
        {object->unknownCast(), IDependent::kChanged}};
    EXPECT_EQ(first.heard, expected);
    EXPECT_EQ(second.heard, expected);
    EXPECT_EQ(object->done, (std::vector<int32>{IDependent::kWillChange, IDependent::kChanged}));

    object->removeDependent(&first);
    object->changed();
    EXPECT_EQ(first.heard.size(), 2u);
    EXPECT_EQ(second.heard.size(), 3u);
    object->removeDependent(&second);
}

TEST(FObjectDependents, DependentRemovedDuringNotificationIsNotCalledAfterwards)
{
    auto object = owned(new Plain);
    Watcher remover, removed;
    remover.onUpdate = [&]
    {
        object->removeDependent(&remover);
        object->removeDependent(&removed);
    };
    object->addDependent(&remover);
    object->addDependent(&removed);
    object->changed();
    EXPECT_EQ(remover.heard.size(), 1u);
    EXPECT_TRUE(removed.heard.empty());
    object->changed();
    EXPECT_EQ(remover.heard.size(), 1u);
}

TEST(FObjectDependents, ObjectReleasedByItsDependentSurvivesTheNotification)
{
    gDestroyed = 0;
    auto* object = new Plain;
    Watcher first, second;
    first.onUpdate = [&] { object->release(); };
    object->addDependent(&first);
    object->addDependent(&second);
    object->changed();
    // Every dependent heard of the change; the object went only afterwards.
    EXPECT_EQ(second.heard.size(), 1u);
    EXPECT_EQ(gDestroyed, 1);
    EXPECT_EQ(UpdateHandler::instance()->countDependents(object), 0);
}

TEST(FObjectDependents, DestroyedObjectLeavesNoDependentsOrQueuedUpdates)
{
    Watcher watcher;
    FUnknown* address = nullptr;
    {
        auto object = owned(new Plain);
        address = object->unknownCast();
        object->addDependent(&watcher);
        object->deferUpdate();
    }
    EXPECT_EQ(UpdateHandler::instance()->countDependents(address), 0);
    UpdateHandler::instance()->triggerDeferedUpdates();
    EXPECT_TRUE(watcher.heard.empty());
}

TEST(FObjectDependents, DeferredUpdateArrivesOnceWhenTriggered)
{
    auto object = owned(new Plain);
    Watcher watcher;
    object->addDependent(&watcher);
    object->deferUpdate();
    object->deferUpdate();
    EXPECT_TRUE(watcher.heard.empty());
    UpdateHandler::instance()->triggerDeferedUpdates(object->unknownCast());
    EXPECT_EQ(watcher.heard.size(), 1u);
    UpdateHandler::instance()->triggerDeferedUpdates();
    EXPECT_EQ(watcher.heard.size(), 1u);
    object->removeDependent(&watcher);
}

TEST(UpdateHandler, RefusesNullsAndReportsWhatItRemoved)
{
    auto handler = owned(new UpdateHandler);
    Watcher watcher;
    Plain object;
    EXPECT_EQ(handler->addDependent(nullptr, &watcher), kInvalidArgument);
    EXPECT_EQ(handler->addDependent(object.unknownCast(), nullptr), kInvalidArgument);
    EXPECT_EQ(handler->triggerUpdates(nullptr, 0), kInvalidArgument);
    EXPECT_EQ(handler->removeDependent(object.unknownCast(), &watcher), kResultFalse);
    EXPECT_EQ(handler->addDependent(object.unknownCast(), &watcher), kResultOk);
    EXPECT_EQ(handler->addDependent(object.unknownCast(), &watcher), kResultFalse);
    EXPECT_EQ(handler->removeDependent(object.unknownCast(), nullptr), kResultOk);
    EXPECT_EQ(handler->countDependents(), 0);

    void* found = nullptr;
    ASSERT_EQ(handler->queryInterface(IUpdateHandler::iid, &found), kResultOk);
    static_cast<IUpdateHandler*>(found)->release();
}
