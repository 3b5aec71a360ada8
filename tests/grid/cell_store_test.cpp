// The grid's cell store against a plain table: whatever is written, inserted or removed, every
// cell reads as the plain table says.
#include "cell_store.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using tabula_detail::CellStore;
using tabula_detail::CellText;

TEST(CellStore, FollowsAPlainTableThroughEdits) {
    struct Plain {
        QString text;
        uint32_t color = 0;
        int height = -1;
    };
    // In place, at the limit, too long, too wide, with a NUL, with blanks and a TAB.
    const QString texts[] = {"",      "7",    "1234567",           "12345678",
                             "走向",  "ＳＥ", QStringLiteral("é"), QString(QChar(0)) + "x",
                             " 3\t0 "};
    std::mt19937 random(17);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    CellStore store;
    std::vector<std::vector<Plain>> plain;
    const int cols = 3;
    store.SetCols(cols);
    for (int step = 0; step < 4000; ++step) {
        const int rows = int(plain.size());
        const int r = rows ? pick(rows) : 0;
        const int c = pick(cols);
        const int op = pick(7);
        if (op == 0) { // rows beyond the last written are never stored
            plain.resize(size_t(pick(40)), std::vector<Plain>(cols));
            store.SetRows(int(plain.size()));
        } else if (op == 1) {
            const int at = pick(rows + 1);
            plain.insert(plain.begin() + at, std::vector<Plain>(cols));
            store.InsertRow(at);
        } else if (op == 2 && rows) {
            plain.erase(plain.begin() + r);
            store.RemoveRow(r);
        } else if (op == 3 && rows) {
            plain[r][c].color = uint32_t(pick(3));
            store.SetBackColor(r, c, plain[r][c].color);
            store.SetForeColor(r, c, plain[r][c].color);
            plain[r][0].height = pick(3) - 1;
            store.SetRowHeight(r, plain[r][0].height);
            store.SetMergeRow(r, plain[r][0].height > 0);
        } else if (op == 4 && pick(20) == 0) {
            for (auto& row : plain)
                for (Plain& cell : row)
                    cell = {QString(), 0, cell.height};
            store.Clear();
        } else if (rows) {
            plain[r][c].text = texts[pick(int(std::size(texts)))];
            store.SetText(r, c, CellText(plain[r][c].text));
        }
        ASSERT_EQ(store.Rows(), int(plain.size()));
        for (int row = 0; row < store.Rows(); ++row)
            for (int col = 0; col < cols; ++col) {
                const Plain& p = plain[size_t(row)][size_t(col)];
                const int height = plain[size_t(row)][0].height;
                ASSERT_EQ(store.Text(row, col), p.text) << "step " << step;
                ASSERT_EQ(store.Cell(row, col), CellText(QStringView(p.text))) << "step " << step;
                ASSERT_EQ(store.BackColor(row, col), p.color) << "step " << step;
                ASSERT_EQ(store.ForeColor(row, col), p.color) << "step " << step;
                ASSERT_EQ(store.RowHeight(row), height) << "step " << step;
                ASSERT_EQ(store.MergeRow(row), height > 0) << "step " << step;
                ASSERT_TRUE(row < store.StoredRows() || p.text.isEmpty()) << "step " << step;
            }
    }
}
