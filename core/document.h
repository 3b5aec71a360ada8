// One document as the data file holds it: the titles, the contour levels, the maximum points
// and the measurement rows. A plain value, so the file format is read and written without any
// window; the controller applies it to its windows and builds it from them.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
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
    // One measurement row: strike angle, strike side, dip angle, dip direction. An empty row
    // holds no cells at all, so the many empty rows a file may hold cost a pointer each.
    class Row {
      public:
        Row() = default;
        Row(QString strike, QString side = {}, QString dip = {}, QString direction = {}) {
            if (!strike.isEmpty() || !side.isEmpty() || !dip.isEmpty() || !direction.isEmpty())
                cells_ = std::make_unique<Cells>(Cells{std::move(strike), std::move(side),
                                                       std::move(dip), std::move(direction)});
        }
        Row(const Row& other)
            : cells_(other.cells_ ? std::make_unique<Cells>(*other.cells_) : nullptr) {}
        Row(Row&&) noexcept = default;
        Row& operator=(const Row& other) { return *this = Row(other); }
        Row& operator=(Row&&) noexcept = default;

        const QString& operator[](size_t cell) const {
            static const QString empty;
            return cells_ ? (*cells_)[cell] : empty;
        }
        QString& operator[](size_t cell) {
            if (!cells_)
                cells_ = std::make_unique<Cells>();
            return (*cells_)[cell];
        }
        friend bool operator==(const Row& a, const Row& b) {
            for (size_t c = 0; c < 4; ++c) {
                if (a[c] != b[c])
                    return false;
            }
            return true;
        }

      private:
        using Cells = std::array<QString, 4>;
        std::unique_ptr<Cells> cells_;
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
