// One document as the data file holds it: the titles, the contour levels, the maximum points
// and the measurement rows. A plain value, so the file format is read and written without any
// window; the controller applies it to its windows and builds it from them.
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

struct Document {
    // A contour level.
    struct Grade {
        float value = 0;        // threshold in percent of the data count
        uint32_t foreColor = 0; // 0x00BBGGRR
        // Pattern 0 to 7. A file older than patterns gives each level the pattern a new level
        // of its number gets (the levels of an opened file are numbered 1, 2, ... in order).
        std::optional<int16_t> fillStyle;
        friend bool operator==(const Grade&, const Grade&) = default;
    };
    // A maximum point: net position and label position, all divided by the net radius.
    struct Pole {
        float x = 0;
        float y = 0;
        float labelLeft = 0;
        float labelTop = 0;
        friend bool operator==(const Pole&, const Pole&) = default;
    };
    // One measurement row: strike angle, strike side, dip angle, dip direction. A row of short
    // Latin-1 texts, as measurements nearly always are, is kept in its sixteen bytes (the cells
    // joined by TABs); any other row holds its four strings on the heap.
    class Row {
      public:
        Row() : Row(QStringView(u"\t\t\t")) {}
        Row(const QString& strike, const QString& side = {}, const QString& dip = {},
            const QString& direction = {});
        // The first four TAB-separated fields of a line; missing ones are empty.
        static Row FromLine(QStringView line);
        Row(const Row& other);
        Row(Row&& other) noexcept : bytes_(other.bytes_) { other.bytes_[kTag] = kEmptyTag; }
        Row& operator=(const Row& other);
        Row& operator=(Row&& other) noexcept;
        ~Row();

        // A copy of cell 0 to 3 (const: cells are set through the constructors).
        const QString operator[](size_t cell) const;
        // Appends the four cells joined by TABs, a row of a clip text; false, appending
        // nothing, when a cell holds a TAB or a CR, which would split it.
        bool AppendClipRow(QString& out) const;
        friend bool operator==(const Row& a, const Row& b);

      private:
        using Cells = std::array<QString, 4>;
        static constexpr size_t kTag = 15;
        static constexpr unsigned char kHeapTag = 0xFF;
        // Moved from: holds nothing, reads as four empty cells.
        static constexpr unsigned char kEmptyTag = 0xFE;
        explicit Row(QStringView joined);
        const Cells* cells() const;
        void release();

        // In place: the joined text in bytes 0-14, its length in byte 15. On the heap: a
        // Cells* in bytes 0-7 and kHeapTag in byte 15.
        std::array<unsigned char, 16> bytes_;
    };

    // Version the document was read with (major * 10000 + minor * 100 + revision).
    int version = 10100;
    // Titles, decoded (line breaks as CR LF). The rose title is empty when read from a file
    // that has none; the rose window then keeps its own.
    std::optional<QString> roseTitle;
    QString contourTitle;
    QString plotTitle;
    std::vector<Grade> grades;
    std::vector<Pole> contourPoles;
    std::vector<Pole> plotPoles;
    // Every data row of the grid below its two header rows, empty rows included.
    std::vector<Row> rows;

    friend bool operator==(const Document&, const Document&) = default;
};

namespace DataFile {

// This program's version as written in the header: 1.01.00.
constexpr int kProgramVersion = 10100;
// Files without a header; files up to this version have no rose title line either.
constexpr int kHeaderlessVersion = 10003;
// Files up to this version store no pattern with a contour level.
constexpr int kLastVersionWithoutPattern = 10099;

// The pattern a new contour level numbered n (from 1) starts with: 6, 5, 4, 3, 2, 7, repeating.
constexpr int16_t DefaultPattern(int n) {
    return static_cast<int16_t>(7 - n % 6);
}

// The colour (0x00BBGGRR) a new contour level numbered n starts with: the text-mode palette
// entry (n And 7) + 7, so grey, blue, green, cyan, red, magenta, yellow, silver, repeating.
constexpr uint32_t DefaultLevelColor(int n) {
    constexpr uint32_t kPalette[8] = {0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00,
                                      0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF};
    return kPalette[n & 7];
}

} // namespace DataFile
