// The pattern swatch of a contour level in the legend window: a box filled with the level's
// pattern in its colour, drawn by the same surface as the diagrams, on the control's
// background colour (the highlight colour while the level is selected).
#pragma once

#include "diagrams/picture_box.h"

class LevelSwatch : public PictureBox {
    Q_OBJECT
  public:
    explicit LevelSwatch(QWidget* parent = nullptr);

    uint32_t FillColor() const { return fillColor_; }
    void SetFillColor(uint32_t color);
    int FillStyle() const { return fillStyle_; }
    void SetFillStyle(int style);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void redraw();

    uint32_t fillColor_ = 0;
    int fillStyle_ = DrawingSurface::TransparentFill;
};
