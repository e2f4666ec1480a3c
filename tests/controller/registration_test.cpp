// What the controller registers on initialize, and how it answers through its
// interfaces: parameters by index, the unit and the program list, repeated
// initialization, interface identity and reference counting.
#include "controller_fixture.h"
#include "recording_handler.h"

#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstunits.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::test;

namespace
{

struct Expected
{
    ParamID id;
    const char* title;
    int32 stepCount;
    double defaultValue;
    int32 flags;
};

// Host index order: Bypass first, Presets last. Defaults are the 32-bit
// values widened, written out so that a 64-bit 0.1 would fail.
const Expected kExpected[] = {
    {8, "Bypass", 1, 0.0, 0x1},
    {0, "Preamp", 0, 0.10000000149011612, 0x1},
    {1, "Noise", 0, 0.30000001192092896, 0x1},
    {2, "Volume", 0, 0.5, 0x1},
    {3, "Lo", 0, 0.5, 0x1},
    {4, "Res", 0, 0.4000000059604645, 0x1},
    {5, "Cut", 0, 0.5, 0x1},
    {6, "Hi", 0, 0.5, 0x1},
    {7, "Boost", 0, 0.10000000149011612, 0x1},
    {9, "Presets", 6, 0.0, 0x8008},
};

std::string str(const TChar* s)
{
    return Steinberg::Vst::StringConvert::convert(s);
}

} // namespace

TEST_F(ControllerTest, ParametersByIndexMatchTheRegistrationTable)
{
    ASSERT_EQ(controller->getParameterCount(), 10);
    for (int32 index = 0; index < 10; ++index)
    {
        SCOPED_TRACE(index);
        ParameterInfo info{};
        ASSERT_EQ(controller->getParameterInfo(index, info), kResultTrue);
        const Expected& e = kExpected[index];
        EXPECT_EQ(info.id, e.id);
        EXPECT_EQ(str(info.title), e.title);
        EXPECT_EQ(str(info.shortTitle), "");
        EXPECT_EQ(str(info.units), "");
        EXPECT_EQ(info.stepCount, e.stepCount);
        EXPECT_EQ(info.defaultNormalizedValue, e.defaultValue); // bit-exact
        EXPECT_EQ(info.unitId, kRootUnitId);
        EXPECT_EQ(info.flags, e.flags);
        // Each parameter starts at its registered default.
        EXPECT_EQ(controller->getParamNormalized(e.id), e.defaultValue);
    }
    ParameterInfo info{};
    EXPECT_EQ(controller->getParameterInfo(10, info), kResultFalse);
    EXPECT_EQ(controller->getParameterInfo(-1, info), kResultFalse);
}

TEST_F(ControllerTest, PublishesTheRootUnitAndThePresetsProgramList)
{
    auto* units = queryAs<IUnitInfo>(controller);
    ASSERT_NE(units, nullptr);

    ASSERT_EQ(units->getUnitCount(), 1);
    UnitInfo unit{};
    ASSERT_EQ(units->getUnitInfo(0, unit), kResultTrue);
    EXPECT_EQ(unit.id, 0);
    EXPECT_EQ(unit.parentUnitId, -1);
    EXPECT_EQ(str(unit.name), "Root");
    EXPECT_EQ(unit.programListId, 9);

    ASSERT_EQ(units->getProgramListCount(), 1);
    ProgramListInfo list{};
    ASSERT_EQ(units->getProgramListInfo(0, list), kResultTrue);
    EXPECT_EQ(list.id, 9);
    EXPECT_EQ(str(list.name), "Presets");
    EXPECT_EQ(list.programCount, 7);

    for (int32 i = 0; i < 7; ++i)
    {
        String128 name{};
        ASSERT_EQ(units->getProgramName(9, i, name), kResultTrue);
        EXPECT_EQ(str(name), quorvelware::kPresetNames[i]);
    }
    String128 name{};
    EXPECT_EQ(units->getProgramName(9, 7, name), kResultFalse);
    EXPECT_EQ(units->getProgramName(8, 0, name), kResultFalse);
    EXPECT_EQ(units->getUnitInfo(1, unit), kResultFalse);
    EXPECT_EQ(units->getProgramListInfo(1, list), kResultFalse);
    units->release();
}

TEST_F(ControllerTest, SecondInitializeIsRefusedAndRegistersNothingTwice)
{
    // The fixture initialized with a null context, which the base does not
    // remember; a host context on the second call must not slip through.
    FUnknown* context = queryAs<FUnknown>(controller);
    EXPECT_EQ(controller->initialize(context), kResultFalse);
    EXPECT_EQ(controller->initialize(nullptr), kResultFalse);
    EXPECT_EQ(controller->getParameterCount(), 10);
    auto* units = queryAs<IUnitInfo>(controller);
    EXPECT_EQ(units->getUnitCount(), 1);
    EXPECT_EQ(units->getProgramListCount(), 1);
    units->release();
    context->release();
}

TEST(ControllerLifecycle, SecondInitializeWithAHostContextIsRefused)
{
    auto* controller =
        static_cast<IEditController*>(quorvelware::FerrulithController::createInstance(nullptr));
    RecordingHandler hostContext; // any FUnknown serves as a context
    ASSERT_EQ(controller->initialize(&hostContext), kResultOk);
    EXPECT_EQ(hostContext.refCount(), 2u);
    EXPECT_EQ(controller->initialize(&hostContext), kResultFalse);
    EXPECT_EQ(hostContext.refCount(), 2u);
    EXPECT_EQ(controller->getParameterCount(), 10);

    // terminate lets go of the context and everything registered; a new
    // initialize registers exactly one set again.
    EXPECT_EQ(controller->terminate(), kResultOk);
    EXPECT_EQ(hostContext.refCount(), 1u);
    EXPECT_EQ(controller->getParameterCount(), 0);
    ASSERT_EQ(controller->initialize(&hostContext), kResultOk);
    EXPECT_EQ(controller->getParameterCount(), 10);
    auto* units = queryAs<IUnitInfo>(controller);
    EXPECT_EQ(units->getUnitCount(), 1);
    EXPECT_EQ(units->getProgramListCount(), 1);
    units->release();

    controller->terminate();
    EXPECT_EQ(hostContext.refCount(), 1u);
    EXPECT_EQ(controller->release(), 0u);
}

TEST(ControllerLifecycle, TerminateReleasesTheComponentHandler)
{
    auto* controller =
        static_cast<IEditController*>(quorvelware::FerrulithController::createInstance(nullptr));
    controller->initialize(nullptr);
    RecordingHandler handler;
    ASSERT_EQ(controller->setComponentHandler(&handler), kResultTrue);
    EXPECT_EQ(handler.refCount(), 2u);
    controller->setComponentHandler(&handler); // same handler: no second reference
    EXPECT_EQ(handler.refCount(), 2u);
    controller->terminate();
    EXPECT_EQ(handler.refCount(), 1u);
    EXPECT_EQ(controller->release(), 0u);
}

TEST_F(ControllerTest, EveryInterfaceSharesOneIdentityAndOneReferenceCount)
{
    // Interfaces in the order the controller answers them.
    auto* programData = queryAs<IProgramListData>(controller);
    auto* unitInfo = queryAs<IUnitInfo>(controller);
    auto* editController2 = queryAs<IEditController2>(controller);
    auto* pluginBase = queryAs<IPluginBase>(controller);
    auto* connection = queryAs<IConnectionPoint>(controller);
    auto* unknown = queryAs<FUnknown>(controller);
    ASSERT_TRUE(programData && unitInfo && editController2 && pluginBase && connection && unknown);

    // The create function hands out IEditController, which is not the
    // object's primary address.
    EXPECT_NE(static_cast<void*>(unknown), static_cast<void*>(controller));

    const std::vector<FUnknown*> views = {controller,      programData, unitInfo,
                                          editController2, pluginBase,  connection};
    for (FUnknown* view : views)
    {
        auto* again = queryAs<IProgramListData>(view);
        EXPECT_EQ(again, programData);
        auto* base = queryAs<FUnknown>(view);
        EXPECT_EQ(base, unknown);
        // One count for all: 1 (host) + 6 queried above + 2 just now.
        EXPECT_EQ(view->addRef(), 10u);
        EXPECT_EQ(view->release(), 9u);
        again->release();
        base->release();
    }

    void* none = reinterpret_cast<void*>(0x1);
    const TUID unknownIid = INLINE_UID(0x12345678, 0x9ABCDEF0, 0x12345678, 0x9ABCDEF0);
    EXPECT_EQ(unitInfo->queryInterface(unknownIid, &none), kNoInterface);
    EXPECT_EQ(none, nullptr);

    for (FUnknown* view : std::vector<FUnknown*>{programData, unitInfo, editController2, pluginBase,
                                                 connection, unknown})
        view->release();
    EXPECT_EQ(controller->addRef(), 2u);
    EXPECT_EQ(controller->release(), 1u);
}

TEST(ControllerLifecycle, EachCreateCallMakesAnIndependentController)
{
    FUnknown* first = quorvelware::FerrulithController::createInstance(nullptr);
    int marker = 0;
    FUnknown* second = quorvelware::FerrulithController::createInstance(&marker);
    EXPECT_NE(first, second);
    auto* editController = queryAs<IEditController>(first);
    EXPECT_EQ(static_cast<FUnknown*>(editController), first);
    editController->release();
    EXPECT_EQ(first->release(), 0u);
    EXPECT_EQ(second->release(), 0u);
}
