// A FerrulithController made by its create function and initialized, as a
// host holds it, with helpers to read its parameters.
#pragma once

#include "controller/ferrulithcontroller.h"
#include "common/ferrulithparamids.h"
#include "common/ferrulithpresets.h"

#include "public.sdk/source/vst/utility/stringconvert.h"

#include <gtest/gtest.h>

#include <string>

namespace ferrulith::test
{

class ControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* unknown = quorvelware::FerrulithController::createInstance(nullptr);
        controller = static_cast<Steinberg::Vst::IEditController*>(unknown);
        ASSERT_EQ(controller->initialize(nullptr), Steinberg::kResultOk);
    }
    void TearDown() override
    {
        if (controller)
        {
            controller->terminate();
            EXPECT_EQ(controller->release(), 0u);
        }
    }

    // The eight sound parameters, identifiers 0 to 7.
    std::vector<double> soundValues()
    {
        std::vector<double> values;
        for (Steinberg::Vst::ParamID id = 0; id < 8; ++id)
            values.push_back(controller->getParamNormalized(id));
        return values;
    }
    static std::vector<double> presetRow(int row)
    {
        return std::vector<double>(quorvelware::kPresetValues[row],
                                   quorvelware::kPresetValues[row] + 8);
    }
    std::string text(Steinberg::Vst::ParamID id, double value)
    {
        Steinberg::Vst::String128 string{};
        EXPECT_EQ(controller->getParamStringByValue(id, value, string), Steinberg::kResultTrue);
        return Steinberg::Vst::StringConvert::convert(string);
    }

    Steinberg::Vst::IEditController* controller = nullptr;
};

template <class Interface> Interface* queryAs(Steinberg::FUnknown* object)
{
    void* found = nullptr;
    if (object->queryInterface(Interface::iid, &found) != Steinberg::kResultOk)
        return nullptr;
    return static_cast<Interface*>(found);
}

} // namespace ferrulith::test
