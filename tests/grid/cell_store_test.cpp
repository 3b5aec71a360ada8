// The grid's cell store against a plain table of strings and colours: whatever is written,
// inserted or removed, every cell reads as the plain table says.
#include "cell_store.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using tabula_detail::CellStore;
using tabula_detail::CellText;

TEST(CellStore, TextsOfEveryKindReadBackAsWritten) {
    const QString texts[] = {QString(),
                             "7",
                             "SE",
                             "1234567",
                             "12345678",
                             "走向",
                             "ＳＥ",
                             QStringLiteral("é"),
                             QString(QChar(0)) + "x",
                             "  30 ",
                             "330.5\t1"};
    CellStore store;
    store.SetCols(2);
    store.SetRows(int(std::size(texts)));
    for (int r = 0; r < int(std::size(texts)); ++r) {
        store.SetText(r, 1, CellText(texts[r]));
        EXPECT_EQ(store.Text(r, 1), texts[r]) << r;
        EXPECT_EQ(store.Cell(r, 1), CellText(QStringView(texts[r]))) << r;
    }
    EXPECT_EQ(CellText::Number(1234567).toString(), "1234567");
    EXPECT_EQ(CellText::Number(-42).toString(), "-42");
    EXPECT_EQ(CellText::Number(10000000).toString(), "10000000");
}

TEST(CellStore, FollowsAPlainTableThroughEdits) {
    struct Plain {
        QString text;
        uint32_t back = 0;
        uint32_t fore = 0;
        int height = -1;
        bool merge = false;
    };
    std::mt19937 random(17);
    const auto pick = [&](int n) {
        return int(std::uniform_int_distribution<int>(0, n - 1)(random));
    };
    const QString samples[] = {"", "30", "E", "走向", "a long text, not in place"};
    CellStore store;
    std::vector<std::vector<Plain>> plain;
    const int cols = 3;
    store.SetCols(cols);
    for (int step = 0; step < 4000; ++step) {
        const int rows = int(plain.size());
        const int r = rows ? pick(rows) : 0;
        const int c = pick(cols);
        switch (pick(8)) {
        case 0: // grow or shrink; rows beyond the last written are never stored
            plain.resize(size_t(pick(40)), std::vector<Plain>(cols));
            store.SetRows(int(plain.size()));
            break;
        case 1: {
            const int at = pick(rows + 1);
            plain.insert(plain.begin() + at, std::vector<Plain>(cols));
            store.InsertRow(at);
            break;
        }
        case 2:
            if (rows) {
                plain.erase(plain.begin() + r);
                store.RemoveRow(r);
            }
            break;
        case 3:
            if (rows) {
                const uint32_t v = uint32_t(pick(3));
                plain[r][c].back = v;
                store.SetBackColor(r, c, v);
                plain[r][c].fore = v + 1;
                store.SetForeColor(r, c, v + 1);
            }
            break;
        case 4:
            if (rows) {
                plain[r][0].height = pick(3) - 1;
                store.SetRowHeight(r, plain[r][0].height);
                plain[r][0].merge = pick(2);
                store.SetMergeRow(r, plain[r][0].merge);
            }
            break;
        case 5:
            if (pick(20) == 0) {
                for (auto& row : plain)
                    for (Plain& cell : row) {
                        cell.text.clear();
                        cell.back = cell.fore = 0;
                    }
                store.Clear();
            }
            break;
        default:
            if (rows) {
                plain[r][c].text = samples[pick(int(std::size(samples)))];
                store.SetText(r, c, CellText(plain[r][c].text));
            }
            break;
        }
        ASSERT_EQ(store.Rows(), int(plain.size()));
        for (int row = 0; row < store.Rows(); ++row)
            for (int col = 0; col < cols; ++col) {
                const Plain& p = plain[size_t(row)][size_t(col)];
                ASSERT_EQ(store.Text(row, col), p.text) << "step " << step;
                ASSERT_EQ(store.BackColor(row, col), p.back) << "step " << step;
                ASSERT_EQ(store.ForeColor(row, col), p.fore) << "step " << step;
                ASSERT_EQ(store.RowHeight(row), plain[size_t(row)][0].height) << "step " << step;
                ASSERT_EQ(store.MergeRow(row), plain[size_t(row)][0].merge) << "step " << step;
            }
    }
}
