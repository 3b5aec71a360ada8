#include "core/data_list_layout.h"

#include <gtest/gtest.h>

using namespace DataListLayout;

namespace {

std::vector<QString> Strikes(int filled, int empty) {
    std::vector<QString> texts(filled, QStringLiteral("30"));
    texts.resize(filled + empty);
    return texts;
}

} // namespace

TEST(DataListLayout, PagesEntriesAndPlacesWithTheDefaults) {
    const Layout layout = Layout::Of(3, 30);
    EXPECT_EQ(layout.PerPage(), 84);
    // Ten measurements and the empty row after them: one page.
    const int ten = ListLength(Strikes(10, 90));
    EXPECT_EQ(ten, 11);
    EXPECT_EQ(Pages(ten, layout), 1);
    EXPECT_EQ(LastEntry(1, ten, layout), 11);
    // 84 measurements and the empty row: a second page that starts at 85 and holds it only.
    const int full = ListLength(Strikes(84, 16));
    EXPECT_EQ(full, 85);
    EXPECT_EQ(Pages(full, layout), 2);
    EXPECT_EQ(LastEntry(1, full, layout), 84);
    EXPECT_EQ(FirstEntry(2, layout), 85);
    EXPECT_EQ(LastEntry(2, full, layout), 85);
    // Every row filled: the list is the whole grid.
    EXPECT_EQ(ListLength(Strikes(100, 0)), 100);
    // An empty strike angle ends the list, whatever follows.
    std::vector<QString> gap = Strikes(5, 1);
    gap.push_back(QStringLiteral("40"));
    EXPECT_EQ(ListLength(gap), 6);

    struct Case {
        int entry, block, row;
    };
    for (const Case c :
         {Case{1, 0, 2}, Case{28, 0, 29}, Case{29, 1, 2}, Case{84, 2, 29}, Case{85, 0, 2}}) {
        const Place p = PlaceOf(c.entry, layout);
        EXPECT_EQ(p.block, c.block) << c.entry;
        EXPECT_EQ(p.row, c.row) << c.entry;
    }
}

TEST(DataListLayout, RowsOrColumnsThePageCannotHoldReadAsTheDefaults) {
    for (int rows : {-1, 0, 1, 2}) {
        const Layout layout = Layout::Of(0, rows);
        EXPECT_EQ(layout.rows, 30) << rows;
        EXPECT_EQ(layout.columns, 3);
    }
    const Layout small = Layout::Of(1, 3);
    EXPECT_EQ(small.PerPage(), 1);
    EXPECT_EQ(Pages(5, small), 5);
    EXPECT_EQ(LastEntry(5, 5, small), 5);
}
