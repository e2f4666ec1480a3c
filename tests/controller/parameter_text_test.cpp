// Parameter values as text and back, as hosts show and enter them.
#include "controller_fixture.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::test;

namespace
{

tresult valueOf(IEditController* controller, ParamID id, const char* text, ParamValue& value)
{
    std::u16string wide = Steinberg::Vst::StringConvert::convert(std::string(text));
    return controller->getParamValueByString(id, wide.data(), value);
}

} // namespace

TEST_F(ControllerTest, SoundParametersShowFourDecimals)
{
    EXPECT_EQ(text(quorvelware::kPreampId, 0.4), "0.4000");
    EXPECT_EQ(text(quorvelware::kBoostId, 1.0), "1.0000");
    EXPECT_EQ(text(quorvelware::kHiId, 0.0), "0.0000");
    EXPECT_EQ(text(quorvelware::kCutId, 0.123456), "0.1235");
}

TEST_F(ControllerTest, BypassShowsOnAboveOneHalf)
{
    EXPECT_EQ(text(quorvelware::kBypassId, 0.5), "Off");
    EXPECT_EQ(text(quorvelware::kBypassId, 0.51), "On");
    EXPECT_EQ(text(quorvelware::kBypassId, 0.0), "Off");
    EXPECT_EQ(text(quorvelware::kBypassId, 1.0), "On");
}

TEST_F(ControllerTest, PresetsShowThePresetName)
{
    EXPECT_EQ(text(quorvelware::kPresetsId, 0.0), "default");
    EXPECT_EQ(text(quorvelware::kPresetsId, 0.5), "Dark master");
    EXPECT_EQ(text(quorvelware::kPresetsId, 1.0), "Well boosted");
    EXPECT_EQ(text(quorvelware::kPresetsId, 1.0 / 6.0), "Bright crunch");
}

TEST_F(ControllerTest, TextIsReadBackAsNormalizedValues)
{
    ParamValue value = -1.0;
    EXPECT_EQ(valueOf(controller, quorvelware::kPreampId, "0.25", value), kResultTrue);
    EXPECT_EQ(value, 0.25);
    EXPECT_EQ(valueOf(controller, quorvelware::kBypassId, "1", value), kResultTrue);
    EXPECT_EQ(value, 1.0);
    EXPECT_EQ(valueOf(controller, quorvelware::kVolumeId, "loud", value), kResultFalse);

    EXPECT_EQ(valueOf(controller, quorvelware::kPresetsId, "Dungeon", value), kResultTrue);
    EXPECT_EQ(value, 4.0 / 6.0);
    EXPECT_EQ(valueOf(controller, quorvelware::kPresetsId, "dungeon", value), kResultFalse);
    EXPECT_EQ(valueOf(controller, quorvelware::kPresetsId, "Dungeon ", value), kResultFalse);

    // Every preset name round-trips to its own program value.
    for (int i = 0; i < quorvelware::kPresetCount; ++i)
    {
        ASSERT_EQ(valueOf(controller, quorvelware::kPresetsId, quorvelware::kPresetNames[i], value),
                  kResultTrue);
        EXPECT_EQ(text(quorvelware::kPresetsId, value), quorvelware::kPresetNames[i]);
    }
}

TEST_F(ControllerTest, UnknownParametersHaveNoText)
{
    String128 string{};
    ParamValue value = 0;
    EXPECT_EQ(controller->getParamStringByValue(10, 0.5, string), kResultFalse);
    EXPECT_EQ(valueOf(controller, 10, "0.5", value), kResultFalse);
}
