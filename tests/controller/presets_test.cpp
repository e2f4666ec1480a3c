// Program changes through the "Presets" parameter, and the program data the
// controller hands out for each preset.
#include "controller_fixture.h"
#include "recording_handler.h"

#include "hostkit/memory_stream.h"
#include "support/state_bytes.h"

#include "pluginterfaces/vst/ivstunits.h"

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::test;
using ferrulith::host::MemoryStream;

namespace
{

class ProgramChangeTest : public ControllerTest
{
protected:
    void SetUp() override
    {
        ControllerTest::SetUp();
        ASSERT_EQ(controller->setComponentHandler(&handler), kResultTrue);
    }
    void TearDown() override
    {
        ControllerTest::TearDown();
        EXPECT_EQ(handler.refCount(), 1u);
    }
    RecordingHandler handler;
};

std::vector<uint8_t> programData(IEditController* controller, int32 listId, int32 index,
                                 tresult* result = nullptr)
{
    auto* data = queryAs<IProgramListData>(controller);
    MemoryStream stream;
    const tresult r = data->getProgramData(listId, index, &stream);
    if (result)
        *result = r;
    data->release();
    return stream.bytes();
}

} // namespace

TEST_F(ProgramChangeTest, EachProgramValueLoadsItsRowAndAsksTheHostToReRead)
{
    for (int row = 0; row < 7; ++row)
    {
        SCOPED_TRACE(row);
        handler.restarts.clear();
        ASSERT_EQ(controller->setParamNormalized(quorvelware::kPresetsId, row / 6.0), kResultOk);
        EXPECT_EQ(soundValues(), presetRow(row));
        EXPECT_EQ(handler.restarts, std::vector<int32>{kParamValuesChanged});
        EXPECT_EQ(controller->getParamNormalized(quorvelware::kPresetsId), row / 6.0);
    }
    // The host learns the values by re-reading, not through edits.
    EXPECT_EQ(handler.edits, 0);
    EXPECT_EQ(controller->getParamNormalized(2), 0.22000010311603546);
    EXPECT_EQ(controller->getParamNormalized(7), 1.0);
}

TEST_F(ProgramChangeTest, ValuesBetweenAndBeyondProgramsPickTheNearestRowBelow)
{
    const struct
    {
        double value;
        int row;
    } cases[] = {
        {0.0, 0},
        {0.5, 3},
        {0.99, 6},
        {6.0 / 7.0, 6},
        {1.5, 6},
        {-0.2, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.value);
        // Start from another row so that a missed load shows.
        controller->setParamNormalized(quorvelware::kPresetsId, c.row == 0 ? 1.0 : 0.0);
        EXPECT_EQ(controller->setParamNormalized(quorvelware::kPresetsId, c.value), kResultOk);
        EXPECT_EQ(soundValues(), presetRow(c.row));
        const double stored = controller->getParamNormalized(quorvelware::kPresetsId);
        EXPECT_TRUE(stored >= 0.0 && stored <= 1.0);
    }
}

TEST_F(ProgramChangeTest, ChoosingTheSameProgramAgainDiscardsEditsAndAsksAgain)
{
    controller->setParamNormalized(quorvelware::kPresetsId, 0.5);
    controller->setParamNormalized(quorvelware::kPreampId, 0.75);
    handler.restarts.clear();
    controller->setParamNormalized(quorvelware::kPresetsId, 0.5);
    EXPECT_EQ(soundValues(), presetRow(3));
    EXPECT_EQ(handler.restarts.size(), 1u);
}

TEST_F(ProgramChangeTest, OtherParametersChangeOnlyThemselves)
{
    const auto before = soundValues();
    for (ParamID id = 0; id <= 8; ++id)
    {
        EXPECT_EQ(controller->setParamNormalized(id, 0.25), kResultOk);
        EXPECT_EQ(controller->getParamNormalized(id), 0.25);
    }
    EXPECT_EQ(controller->getParamNormalized(quorvelware::kPresetsId), 0.0);
    EXPECT_NE(soundValues(), before);
    EXPECT_TRUE(handler.restarts.empty());
    EXPECT_EQ(controller->setParamNormalized(10, 0.5), kResultFalse);
    EXPECT_TRUE(handler.restarts.empty());
}

TEST_F(ProgramChangeTest, WithoutAHandlerTheProgramStillLoads)
{
    ASSERT_EQ(controller->setComponentHandler(nullptr), kResultTrue);
    EXPECT_EQ(handler.refCount(), 1u);
    EXPECT_EQ(controller->setParamNormalized(quorvelware::kPresetsId, 0.5), kResultOk);
    EXPECT_EQ(soundValues(), presetRow(3));
    EXPECT_TRUE(handler.restarts.empty());
}

TEST_F(ControllerTest, ProgramDataIsThePresetRowAsLittleEndianFloats)
{
    tresult result = kInternalError;
    EXPECT_EQ(programData(controller, 9, 0, &result), kDefaultRowBytes);
    EXPECT_EQ(result, kResultOk);
    EXPECT_EQ(programData(controller, 9, 6, &result), kWellBoostedRowBytes);
    EXPECT_EQ(result, kResultOk);
    // There is one list; any list identifier reads the table.
    EXPECT_EQ(programData(controller, 0, 6), kWellBoostedRowBytes);
}

TEST_F(ControllerTest, ProgramDataRefusesUnknownProgramsAndShortStreams)
{
    tresult result = kResultOk;
    EXPECT_TRUE(programData(controller, 9, 7, &result).empty());
    EXPECT_EQ(result, kResultFalse);
    EXPECT_TRUE(programData(controller, 9, -1, &result).empty());
    EXPECT_EQ(result, kResultFalse);

    auto* data = queryAs<IProgramListData>(controller);
    EXPECT_EQ(data->getProgramData(9, 0, nullptr), kResultFalse);
    // A stream that takes fewer than the 32 bytes must not pass for a preset.
    for (size_t limit : {0u, 4u, 31u})
    {
        SCOPED_TRACE(limit);
        MemoryStream stream;
        stream.setWriteLimit(limit);
        EXPECT_EQ(data->getProgramData(9, 3, &stream), kResultFalse);
    }
    MemoryStream exact;
    exact.setWriteLimit(32);
    EXPECT_EQ(data->getProgramData(9, 3, &exact), kResultOk);
    data->release();
}

TEST_F(ControllerTest, FactoryPresetsCannotBeOverwritten)
{
    auto* data = queryAs<IProgramListData>(controller);
    EXPECT_EQ(data->programDataSupported(9), kResultTrue);
    EXPECT_EQ(data->programDataSupported(0), kResultFalse);

    MemoryStream incoming(std::vector<uint8_t>(32, 0));
    EXPECT_EQ(data->setProgramData(9, 0, &incoming), kResultOk);
    EXPECT_EQ(data->setProgramData(9, 0, nullptr), kResultOk);
    EXPECT_EQ(incoming.position(), 0);
    EXPECT_EQ(programData(controller, 9, 0)[0], 0xCD);
    data->release();
}
