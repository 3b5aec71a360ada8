// Contour levels and maximum points without a window: the keyed collection, the legend's
// keyboard walk, the default colours and patterns, the marker caption.
#include "core/bmmain.h"
#include "core/bmpole.h"
#include "core/document.h"
#include "core/keyed_collection.h"
#include "core/legend_walk.h"

#include <gtest/gtest.h>

namespace {

struct Counted {
    explicit Counted(int* alive) : alive_(alive) { ++*alive_; }
    ~Counted() { --*alive_; }
    int* alive_;
};

} // namespace

TEST(KeyedCollection, KeepsOrderRefusesTakenKeysAndDestroysWhatItDrops) {
    int alive = 0;
    KeyedCollection<Counted> c;
    EXPECT_TRUE(c.Add("P_1", std::make_unique<Counted>(&alive)));
    EXPECT_TRUE(c.Add("P_3", std::make_unique<Counted>(&alive)));
    EXPECT_TRUE(c.Add("P_2", std::make_unique<Counted>(&alive)));
    EXPECT_FALSE(c.Add("p_3", std::make_unique<Counted>(&alive)));
    EXPECT_EQ(alive, 3);
    EXPECT_EQ(c.Item("p_2"), c.Item("P_2"));
    EXPECT_TRUE(c.Remove("P_3"));
    EXPECT_FALSE(c.Remove("P_3"));
    EXPECT_EQ(alive, 2);
    std::vector<const Counted*> order;
    for (const Counted& item : c)
        order.push_back(&item);
    EXPECT_EQ(order, (std::vector<const Counted*>{c.Item("P_1"), c.Item("P_2")}));
    c.Clear();
    EXPECT_EQ(alive, 0);
    EXPECT_TRUE(c.empty());
}

TEST(LegendWalk, StepsToTheNearestLevelAndWrapsAround) {
    // Levels 1, 2 and 5 %, numbered in another order than their values.
    const std::vector<LegendWalk::Level> levels = {{1, 2.0}, {2, 5.0}, {3, 1.0}};
    struct Case {
        int selected;
        bool up;
        int expected;
    };
    const Case cases[] = {
        {1, true, 2},                // 2 → 5
        {1, false, 3},               // 2 → 1
        {2, true, 3},                // 5 wraps to 1
        {3, false, 2},               // 1 wraps to 5
        {0, true, 1},                // nothing selected: the first label
        {0, false, 1}, {9, true, 1}, // a selection that has gone
    };
    for (const Case& c : cases)
        EXPECT_EQ(LegendWalk::Next(levels, c.selected, c.up), c.expected)
            << c.selected << (c.up ? " up" : " down");
}

TEST(LegendWalk, OneLevelEqualValuesAndFarLevels) {
    EXPECT_EQ(LegendWalk::Next({}, 0, true), 0);
    EXPECT_EQ(LegendWalk::Next({{4, 3.0}}, 4, true), 4);
    // Equal values are passed over; with nothing else the selection stays.
    EXPECT_EQ(LegendWalk::Next({{1, 3.0}, {2, 3.0}}, 1, true), 1);
    // A level 100 points or more away is no step: the walk wraps instead.
    EXPECT_EQ(LegendWalk::Next({{1, 0.0}, {2, 150.0}, {3, -1.0}}, 1, true), 3);
}

TEST(LevelDefaults, ColourAndPatternByNumber) {
    const uint32_t grey = 0x808080, blue = 0xFF0000, green = 0x00FF00, cyan = 0xFFFF00,
                   red = 0x0000FF, magenta = 0xFF00FF, yellow = 0x00FFFF, silver = 0xC0C0C0;
    const uint32_t colours[] = {grey, blue, green, cyan, red, magenta, yellow, silver, grey};
    const int patterns[] = {6, 5, 4, 3, 2, 7, 6, 5, 4};
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(DataFile::DefaultLevelColor(n), colours[n - 1]) << n;
        EXPECT_EQ(DataFile::DefaultPattern(n), patterns[n - 1]) << n;
    }
}

TEST(PoleCaption, OrientationInFullWidthCharacters) {
    BMMain::NetRadius = 100;
    EXPECT_EQ(BMPole::OrientationCaption(0, 0), "Ｎ０゜Ｅ０゜Ｎ");
    // Half-way to the east rim: dip twice the arc sine of 0.5 / √2.
    EXPECT_EQ(BMPole::OrientationCaption(0.5f, 0), "Ｎ０゜Ｗ４１゜Ｗ");
    EXPECT_EQ(BMPole::OrientationCaption(-1.0f, 0), "Ｎ０゜Ｅ９０゜Ｅ");
}
