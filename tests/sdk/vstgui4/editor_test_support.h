// A small edit controller, a component handler that records what reaches the
// host, and a UI description that uses every stock view, for editor tests.
#pragma once

#include "gui_test_support.h"

#include "base/source/fobject.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#include "public.sdk/source/vst/vstparameters.h"

#include <cstdio>
#include <string>
#include <vector>

namespace ferrulith::test
{

using namespace Steinberg;
using namespace Steinberg::Vst;

class RecordingHandler final : public FObject, public IComponentHandler
{
public:
    tresult PLUGIN_API beginEdit(ParamID id) override
    {
        edits.push_back("begin " + std::to_string(id));
        return kResultOk;
    }
    tresult PLUGIN_API performEdit(ParamID id, ParamValue value) override
    {
        char text[64];
        std::snprintf(text, sizeof(text), "perform %u %.4f", id, value);
        edits.push_back(text);
        return kResultOk;
    }
    tresult PLUGIN_API endEdit(ParamID id) override
    {
        edits.push_back("end " + std::to_string(id));
        return kResultOk;
    }
    tresult PLUGIN_API restartComponent(int32) override { return kResultOk; }

    std::vector<std::string> edits;

    OBJ_METHODS(RecordingHandler, FObject)
    FUNKNOWN_METHODS(IComponentHandler, FObject)
};

// Parameter 0: continuous, default 0.25; 1: on/off; 2: a list of three names.
class TestController final : public EditController
{
public:
    TestController()
    {
        parameters.addParameter(u"Drive", nullptr, 0, 0.25, ParameterInfo::kCanAutomate, 0);
        parameters.addParameter(u"Bypass", nullptr, 1, 0.,
                                ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, 1);
        auto* list = new StringListParameter(u"Presets", 2);
        list->appendString(u"first");
        list->appendString(u"second");
        list->appendString(u"third");
        parameters.addParameter(list);
    }
};

inline const char* kEditorDescription = R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <bitmaps>
    <bitmap name="knob" path="knob.png"/>
  </bitmaps>
  <control-tags>
    <control-tag name="Drive" tag="0"/>
    <control-tag name="Bypass" tag="1"/>
    <control-tag name="Presets" tag="2"/>
  </control-tags>
  <template name="view" class="CViewContainer" origin="0, 0" size="200, 100"
            minSize="150, 80" maxSize="400, 200" background-color="#203040ff">
    <view class="CTextLabel" origin="0, 0" size="60, 14" title="Drive" font-color="#ffffffff"/>
    <view class="CAnimKnob" origin="10, 20" size="32, 32" control-tag="Drive" bitmap="knob"
          height-of-one-image="32" sub-pixmaps="4"/>
    <view class="CParamDisplay" origin="10, 60" size="60, 16" control-tag="Drive"/>
    <view class="CViewContainer" origin="100, 0" size="100, 100" transparent="true">
      <view class="COnOffButton" origin="10, 10" size="20, 20" control-tag="Bypass"/>
      <view class="COptionMenu" origin="10, 40" size="80, 20" control-tag="Presets"/>
    </view>
  </template>
  <template name="fixed" class="CViewContainer" size="120, 90"/>
</vstgui-ui-description>
)";

inline void writeEditorResources(const TempResourceFolder& folder)
{
    folder.write("test.uidesc", kEditorDescription);
    folder.writeBandsPNG("knob.png", 32, 128, 32);
}

} // namespace ferrulith::test
