#include "hostkit/parameter_changes.h"

#include <gtest/gtest.h>

using namespace ferrulith::host;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

std::vector<std::pair<int32, double>> pointsOf(IParamValueQueue* queue)
{
    std::vector<std::pair<int32, double>> points;
    for (int32 i = 0; i < queue->getPointCount(); ++i)
    {
        int32 offset = -1;
        ParamValue value = -1.0;
        EXPECT_EQ(queue->getPoint(i, offset, value), kResultOk);
        points.emplace_back(offset, value);
    }
    return points;
}

} // namespace

TEST(ParameterChanges, OneQueuePerParameterInTheOrderFirstChanged)
{
    auto changes = makeHostObject<ParameterChanges>(4, 4);
    int32 index = -1;
    IParamValueQueue* nine = changes->addParameterData(9, index);
    ASSERT_NE(nine, nullptr);
    EXPECT_EQ(index, 0);
    IParamValueQueue* zero = changes->addParameterData(0, index);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(changes->addParameterData(9, index), nine);
    EXPECT_EQ(index, 0);

    EXPECT_EQ(changes->getParameterCount(), 2);
    EXPECT_EQ(changes->getParameterData(0), nine);
    EXPECT_EQ(changes->getParameterData(1), zero);
    EXPECT_EQ(nine->getParameterId(), 9u);
    EXPECT_EQ(zero->getParameterId(), 0u);
    EXPECT_EQ(changes->getParameterData(2), nullptr);
    EXPECT_EQ(changes->getParameterData(-1), nullptr);
}

TEST(ParameterChanges, PointsStayOrderedByOffsetAndALaterPointAtTheSameOffsetWins)
{
    auto changes = makeHostObject<ParameterChanges>(2, 4);
    int32 index = -1;
    IParamValueQueue* queue = changes->addParameterData(3, index);
    int32 at = -1;
    ASSERT_EQ(queue->addPoint(64, 0.5, at), kResultOk);
    EXPECT_EQ(at, 0);
    ASSERT_EQ(queue->addPoint(0, 0.25, at), kResultOk);
    EXPECT_EQ(at, 0);
    ASSERT_EQ(queue->addPoint(64, 0.75, at), kResultOk);
    EXPECT_EQ(at, 1);
    using Points = std::vector<std::pair<int32, double>>;
    EXPECT_EQ(pointsOf(queue), (Points{{0, 0.25}, {64, 0.75}}));

    int32 offset = 7;
    ParamValue value = 7.0;
    EXPECT_EQ(queue->getPoint(2, offset, value), kResultFalse);
    EXPECT_EQ(queue->getPoint(-1, offset, value), kResultFalse);
    EXPECT_EQ(offset, 7);
}

TEST(ParameterChanges, FullListsAndQueuesRefuseMoreInsteadOfGrowing)
{
    auto changes = makeHostObject<ParameterChanges>(2, 2);
    EXPECT_TRUE(changes->add(1, 0.1, 0));
    EXPECT_TRUE(changes->add(1, 0.2, 1));
    EXPECT_FALSE(changes->add(1, 0.3, 2)); // queue full
    EXPECT_TRUE(changes->add(1, 0.4, 1));  // replacing still works
    EXPECT_TRUE(changes->add(2, 0.5));
    EXPECT_FALSE(changes->add(3, 0.6)); // list full
    int32 index = -1;
    EXPECT_EQ(changes->addParameterData(3, index), nullptr);
    EXPECT_EQ(changes->getParameterCount(), 2);
    using Points = std::vector<std::pair<int32, double>>;
    EXPECT_EQ(pointsOf(changes->getParameterData(0)), (Points{{0, 0.1}, {1, 0.4}}));
}

TEST(ParameterChanges, ClearingStartsTheNextBlockEmptyAndReusesQueuesForOtherParameters)
{
    auto changes = makeHostObject<ParameterChanges>(1, 2);
    ASSERT_TRUE(changes->add(5, 0.5));
    IParamValueQueue* first = changes->getParameterData(0);
    changes->clear();
    EXPECT_EQ(changes->getParameterCount(), 0);
    EXPECT_EQ(changes->getParameterData(0), nullptr);

    ASSERT_TRUE(changes->add(6, 0.25));
    IParamValueQueue* again = changes->getParameterData(0);
    EXPECT_EQ(again, first);
    EXPECT_EQ(again->getParameterId(), 6u);
    EXPECT_EQ(again->getPointCount(), 1);
}
