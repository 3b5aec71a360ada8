// A window picture that keeps its drawing: everything goes into an image at screen resolution,
// which the window shows (PictureBox) and the copy command puts on the clipboard.
#pragma once

#include "diagrams/drawing_surface.h"

#include <QImage>
#include <functional>

class PictureSurface : public DrawingSurface {
  public:
    // dotsPerInch 0 takes the screen's logical resolution.
    explicit PictureSurface(QSize pixels = QSize(1, 1), double dotsPerInch = 0);
    ~PictureSurface() override;

    // New size in pixels: the drawing stays at the top-left, new area is BackColor. A user
    // scale keeps its numbers (it stretches over the new area), unit scales follow the size.
    // At most 8192 pixels a side and 8192 × 4608 in all; a size that cannot be allocated keeps
    // the old one.
    void Resize(QSize pixels);
    QSize Size() const { return image_.size(); }
    // The drawing so far.
    const QImage& Image();
    // Finishes the pending drawing so that the image may be read or shown.
    void Flush();
    // Puts back a drawing taken earlier with Image(), when the picture still has its size
    // (false otherwise, and nothing changes). Not shown until Refresh.
    bool Restore(const QImage& drawing);
    // Called by Refresh once the drawing is flushed (the widget repaints itself).
    void SetRefreshHandler(std::function<void()> handler) { refresh_ = std::move(handler); }
    void Refresh() override;

  protected:
    QPaintDevice* Device() override { return &image_; }
    const QPaintDevice* MetricsDevice() const override { return &image_; }
    QSizeF DeviceSize() const override { return image_.size(); }
    bool VectorOutput() const override { return false; }

  private:
    QImage image_;
    std::function<void()> refresh_;
};
