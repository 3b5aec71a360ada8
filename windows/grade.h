// One contour level: its threshold in percent of the data count, its colour and pattern, and
// its three controls in the legend window (the horizontal line at the value, the value label
// and the pattern swatch under it), which the object owns and unloads when it goes.
#pragma once

#include <QPointer>
#include <cstdint>

class frmRankSet;
class LevelSwatch;
class QLabel;
class QWidget;

class Grade {
  public:
    // Loads the controls numbered `element` into the legend window, hidden until placed.
    // The level's Index is 0 until set.
    Grade(frmRankSet& legend, int element);
    ~Grade();
    Grade(const Grade&) = delete;
    Grade& operator=(const Grade&) = delete;

    int Index() const { return index_; }
    void SetIndex(int index) { index_ = index; }
    // The value as the label shows it, to hundredths.
    float Value() const { return value_; }
    // Stores Int(v × 100 + 0.5) ÷ 100 and places the controls at it.
    void SetValue(float v);
    // 0x00BBGGRR; the line and the swatch's pattern take it.
    uint32_t ForeColor() const { return foreColor_; }
    void SetForeColor(uint32_t color);
    // Pattern 0 to 7 of the drawing surface.
    int FillStyle() const { return fillStyle_; }
    void SetFillStyle(int style);

    // Places the line from the legend's left edge to x = 0 at the value, and the label and
    // the swatch at the left edge, a seventh of the width wide, in the legend's percent scale.
    void Reposition();

    QLabel* Label() const;
    QWidget* Line() const;
    LevelSwatch* Shape() const;

  private:
    QPointer<frmRankSet> legend_;
    QPointer<QWidget> line_;
    QPointer<QLabel> label_;
    QPointer<LevelSwatch> swatch_;
    int element_;
    int index_ = 0;
    int16_t fillStyle_ = 0;
    uint32_t foreColor_ = 0;
    float value_ = 0;
};
