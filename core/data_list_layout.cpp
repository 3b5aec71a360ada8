#include "core/data_list_layout.h"

namespace DataListLayout {

Layout Layout::Of(int printColumns, int printRows) {
    Layout layout;
    if (printColumns >= 1)
        layout.columns = printColumns;
    if (printRows >= 3)
        layout.rows = printRows;
    return layout;
}

int ListLength(const std::vector<QString>& strikeAngles) {
    for (size_t k = 0; k < strikeAngles.size(); ++k)
        if (strikeAngles[k].isEmpty())
            return int(k) + 1;
    return int(strikeAngles.size());
}

int Pages(int length, const Layout& layout) {
    return (length - 1) / layout.PerPage() + 1;
}

int FirstEntry(int page, const Layout& layout) {
    return layout.PerPage() * (page - 1) + 1;
}

int LastEntry(int page, int length, const Layout& layout) {
    const int first = FirstEntry(page, layout);
    if (page < Pages(length, layout))
        return first - 1 + layout.PerPage();
    return first + (length - 1) % layout.PerPage();
}

Place PlaceOf(int entry, const Layout& layout) {
    return {((entry - 1) / layout.PerBlock()) % layout.columns,
            (entry - 1) % layout.PerBlock() + 2};
}

} // namespace DataListLayout
