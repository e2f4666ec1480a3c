// The controller-side layer on its own: parameter objects, the container,
// the editor view's bookkeeping and the UTF-8/UTF-16 conversion.
#include "public.sdk/source/vst/utility/stringconvert.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#include "public.sdk/source/vst/vstparameters.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

// Counts the change notifications of the object it depends on.
class ChangeCounter : public FObject
{
public:
    void PLUGIN_API update(FUnknown* changed, int32 message) override
    {
        if (message == IDependent::kChanged)
        {
            ++count;
            last = changed;
        }
    }
    int count = 0;
    FUnknown* last = nullptr;
};

std::string str(const TChar* s)
{
    return Steinberg::Vst::StringConvert::convert(s);
}

} // namespace

TEST(Parameter, SetNormalizedClampsAndNotifiesOnlyRealChanges)
{
    auto* parameter = new Parameter(u"Drive", 3, nullptr, 0.25);
    ChangeCounter listener;
    parameter->addDependent(&listener);

    EXPECT_FALSE(parameter->setNormalized(0.25)); // unchanged
    EXPECT_EQ(listener.count, 0);
    EXPECT_TRUE(parameter->setNormalized(0.75));
    EXPECT_EQ(listener.count, 1);
    EXPECT_EQ(listener.last, parameter->unknownCast());

    EXPECT_TRUE(parameter->setNormalized(7.0));
    EXPECT_EQ(parameter->getNormalized(), 1.0);
    EXPECT_FALSE(parameter->setNormalized(2.0)); // clamps to the value it holds
    EXPECT_TRUE(parameter->setNormalized(-3.0));
    EXPECT_EQ(parameter->getNormalized(), 0.0);
    parameter->setNormalized(0.5);
    EXPECT_TRUE(parameter->setNormalized(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(parameter->getNormalized(), 0.0);
    EXPECT_EQ(listener.count, 5);

    parameter->removeDependent(&listener);
    parameter->release();
}

TEST(Parameter, TextsAreLocaleFreeAndFromStringReadsLeadingNumbers)
{
    Parameter plain(u"Level", 0);
    String128 text{};
    plain.toString(0.33333, text);
    EXPECT_EQ(str(text), "0.3333");
    plain.setPrecision(1);
    plain.toString(0.25, text);
    EXPECT_EQ(str(text), "0.2"); // ties go to even, as printf does

    ParamValue value = -1;
    EXPECT_TRUE(plain.fromString(u"  +0.5", value));
    EXPECT_EQ(value, 0.5);
    EXPECT_TRUE(plain.fromString(u"0.75 dB", value));
    EXPECT_EQ(value, 0.75);
    EXPECT_FALSE(plain.fromString(u"", value));
    EXPECT_FALSE(plain.fromString(u"\u00BD", value));
    EXPECT_FALSE(plain.fromString(nullptr, value));
}

TEST(StringListParameter, StepsFollowTheListAndOutOfRangeValuesNameAnEnd)
{
    StringListParameter list(u"Mode", 5);
    EXPECT_EQ(list.getInfo().stepCount, -1);
    list.appendString(u"A");
    EXPECT_EQ(list.getInfo().stepCount, 0);
    list.appendString(u"B");
    list.appendString(u"C");
    EXPECT_EQ(list.getInfo().stepCount, 2);
    EXPECT_EQ(list.getInfo().flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList);

    String128 text{};
    list.toString(0.5, text);
    EXPECT_EQ(str(text), "B");
    list.toString(1.0, text);
    EXPECT_EQ(str(text), "C");
    list.toString(5.0, text);
    EXPECT_EQ(str(text), "C");
    list.toString(-1.0, text);
    EXPECT_EQ(str(text), "A");
    list.toString(std::numeric_limits<double>::quiet_NaN(), text);
    EXPECT_EQ(str(text), "A");

    ParamValue value = 0;
    EXPECT_TRUE(list.fromString(u"C", value));
    EXPECT_EQ(value, 1.0);
    EXPECT_FALSE(list.fromString(u"c", value));
    EXPECT_TRUE(list.replaceString(2, u"Z"));
    EXPECT_FALSE(list.replaceString(3, u"Y"));
    EXPECT_TRUE(list.fromString(u"Z", value));
}

TEST(RangeParameter, MapsBetweenNormalizedAndPlain)
{
    RangeParameter gain(u"Gain", 1, u"dB", -12.0, 12.0, 0.0);
    EXPECT_EQ(gain.getNormalized(), 0.5);
    EXPECT_EQ(gain.getInfo().defaultNormalizedValue, 0.5);
    EXPECT_EQ(gain.toPlain(0.25), -6.0);
    String128 text{};
    gain.toString(1.0, text);
    EXPECT_EQ(str(text), "12.0000");
    ParamValue value = 0;
    EXPECT_TRUE(gain.fromString(u"24", value)); // beyond the range: its end
    EXPECT_EQ(value, 1.0);

    RangeParameter steps(u"Voices", 2, nullptr, 1.0, 4.0, 1.0, 3);
    EXPECT_EQ(steps.toPlain(1.0), 4.0);
    EXPECT_EQ(steps.toPlain(0.3), 2.0);
    EXPECT_EQ(steps.toNormalized(3.0), 2.0 / 3.0);
}

TEST(ParameterContainer, KeepsRegistrationOrderAndFindsTheNewestById)
{
    ParameterContainer container;
    EXPECT_EQ(container.addParameter(nullptr, nullptr), nullptr);
    EXPECT_EQ(container.addParameter(static_cast<Parameter*>(nullptr)), nullptr);
    Parameter* b = container.addParameter(u"B", nullptr, 0, 0.0, ParameterInfo::kCanAutomate, 8);
    Parameter* a = container.addParameter(u"A", nullptr, 0, 0.0, ParameterInfo::kCanAutomate, 0);
    Parameter* untagged = container.addParameter(u"N");
    ASSERT_EQ(container.getParameterCount(), 3);
    EXPECT_EQ(container.getParameterByIndex(0), b);
    EXPECT_EQ(container.getParameterByIndex(1), a);
    EXPECT_EQ(untagged->getInfo().id, 2u); // the count when it was added
    EXPECT_EQ(container.getParameter(8), b);
    EXPECT_EQ(container.getParameter(7), nullptr);
    EXPECT_EQ(container.getParameterByIndex(3), nullptr);
    EXPECT_EQ(container.getParameterByIndex(-1), nullptr);

    Parameter* newer =
        container.addParameter(u"B2", nullptr, 0, 0.0, ParameterInfo::kCanAutomate, 8);
    EXPECT_EQ(container.getParameter(8), newer);
    EXPECT_TRUE(container.removeParameter(0));
    EXPECT_EQ(container.getParameter(8), newer); // indices moved, look-ups did not
    EXPECT_EQ(container.getParameter(2), untagged);
    container.removeAll();
    EXPECT_EQ(container.getParameterCount(), 0);
    EXPECT_EQ(container.getParameter(8), nullptr);
}

TEST(ProgramList, ItsParameterListsTheProgramsAsAProgramChange)
{
    auto* list = new ProgramList(u"Kits", 4, 2);
    EXPECT_EQ(list->addProgram(u"One"), 0);
    EXPECT_EQ(list->addProgram(u"Two"), 1);
    Parameter* parameter = list->getParameter();
    EXPECT_EQ(list->getParameter(), parameter); // made once
    const ParameterInfo& info = parameter->getInfo();
    EXPECT_EQ(info.id, 4u);
    EXPECT_EQ(info.unitId, 2);
    EXPECT_EQ(str(info.title), "Kits");
    EXPECT_EQ(info.stepCount, 1);
    EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList |
                              ParameterInfo::kIsProgramChange);
    String128 name{};
    EXPECT_EQ(list->getProgramName(1, name), kResultTrue);
    EXPECT_EQ(str(name), "Two");
    EXPECT_EQ(list->getProgramName(2, name), kResultFalse);
    EXPECT_TRUE(list->setProgramInfo(0, "MusicalStyle", u"Rock"));
    EXPECT_EQ(list->getProgramInfo(0, "MusicalStyle", name), kResultTrue);
    EXPECT_EQ(str(name), "Rock");
    EXPECT_EQ(list->getProgramInfo(0, "Other", name), kResultFalse);
    // The parameter is the caller's to own.
    parameter->release();
    list->release();
}

namespace
{

class EditorWatcher : public EditController
{
public:
    void editorAttached(EditorView*) override { ++attached; }
    void editorRemoved(EditorView*) override { ++removed; }
    void editorDestroyed(EditorView*) override { ++destroyed; }
    int attached = 0, removed = 0, destroyed = 0;
};

} // namespace

TEST(EditorView, KeepsItsControllerAliveAndReportsAttachAndRemove)
{
    auto* controller = new EditorWatcher;
    ViewRect size{0, 0, 300, 200};
    auto* view = new EditorView(controller, &size);
    EXPECT_EQ(controller->addRef(), 3u); // ours, the view's and this one
    controller->release();

    ViewRect got{};
    EXPECT_EQ(view->getSize(&got), kResultTrue);
    EXPECT_EQ(got.right, 300);
    EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);
    int window = 0;
    EXPECT_EQ(view->attached(&window, "X11EmbedWindowID"), kResultOk);
    EXPECT_TRUE(view->isAttached());
    EXPECT_EQ(view->removed(), kResultOk);
    EXPECT_FALSE(view->isAttached());
    EXPECT_EQ(controller->attached, 1);
    EXPECT_EQ(controller->removed, 1);

    view->release();
    EXPECT_EQ(controller->destroyed, 1);
    EXPECT_EQ(controller->release(), 0u);
}

TEST(StringConvert, RoundTripsEveryPlaneAndReplacesMalformedInput)
{
    const std::string text = "Gr\xC3\xBC\xC3\x9F"
                             "e \xE2\x82\xAC \xF0\x9F\x8E\xB8";
    const std::u16string wide = Steinberg::Vst::StringConvert::convert(text);
    EXPECT_EQ(wide, u"Grüße € 🎸");
    EXPECT_EQ(Steinberg::Vst::StringConvert::convert(wide), text);

    EXPECT_EQ(Steinberg::Vst::StringConvert::convert(std::string("a\xFF"
                                                                 "b")),
              u"a\uFFFDb");
    EXPECT_EQ(Steinberg::Vst::StringConvert::convert(std::string("\xC0\xAF")),
              u"\uFFFD"); // overlong
    EXPECT_EQ(Steinberg::Vst::StringConvert::convert(std::string("\xE2\x82")), u"\uFFFD");
    EXPECT_EQ(Steinberg::Vst::StringConvert::convert(std::u16string(u"x\xD800y")),
              "x\xEF\xBF\xBDy");
    EXPECT_EQ(Steinberg::Vst::StringConvert::convert(static_cast<const TChar*>(nullptr)), "");
}

TEST(StringConvert, FixedBuffersAreCutAtACharacterBoundary)
{
    TChar buffer[4];
    EXPECT_TRUE(Steinberg::Vst::StringConvert::convert("ab\xF0\x9F\x8E\xB8", buffer, 4));
    EXPECT_EQ(std::u16string(buffer), u"ab"); // no half surrogate pair
    EXPECT_TRUE(Steinberg::Vst::StringConvert::convert("abcdef", buffer, 4));
    EXPECT_EQ(std::u16string(buffer), u"abc");
    EXPECT_FALSE(Steinberg::Vst::StringConvert::convert("a", buffer, 0));
    EXPECT_FALSE(Steinberg::Vst::StringConvert::convert("a", nullptr, 4));
    EXPECT_EQ(Steinberg::Vst::StringConvert::convert(u"abcdef", 3), "abc");
    EXPECT_EQ(Steinberg::Vst::StringConvert::convert("abc\0def", 7), "abc");
}
