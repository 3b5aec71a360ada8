#include "windows/level_swatch.h"

#include <QEvent>

LevelSwatch::LevelSwatch(QWidget* parent) : PictureBox(parent) {
    // The value label lies over the swatch and takes the clicks.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Resized with the legend while its window is resized or arranged.
    SetRefreshAtOnce(false);
    redraw();
}

void LevelSwatch::SetFillColor(uint32_t color) {
    fillColor_ = color;
    redraw();
}

void LevelSwatch::SetFillStyle(int style) {
    fillStyle_ = style;
    redraw();
}

void LevelSwatch::resizeEvent(QResizeEvent* event) {
    PictureBox::resizeEvent(event);
    redraw();
}

void LevelSwatch::changeEvent(QEvent* event) {
    PictureBox::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        redraw();
}

void LevelSwatch::redraw() {
    DrawingSurface& s = Surface();
    s.SetScaleMode(DrawingSurface::Pixels);
    s.SetBackColor(FromQColor(palette().color(QPalette::Window)));
    s.Cls();
    s.SetFillStyle(fillStyle_);
    s.SetFillColor(fillColor_);
    s.SetDrawWidth(1);
    s.Line({0, 0}, {double(width() - 1), double(height() - 1)}, RGB(0, 0, 0),
           DrawingSurface::LineForm::Box);
    s.Refresh();
}
