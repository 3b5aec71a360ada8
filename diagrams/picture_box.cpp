#include "diagrams/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

int ButtonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.SetRefreshHandler([this] {
        if (!isVisible())
            return;
        if (refreshAtOnce_)
            repaint();
        else
            update();
    });
}

void PictureBox::SetPictureSize(QSize pixels) {
    resize(pixels);
    surface_.Resize(pixels);
}

void PictureBox::SetPictureSizeMillimetres(double width, double height) {
    const double pixelsPerMm = surface_.DpiX() / 25.4;
    SetPictureSize(QSize(int(width * pixelsPerMm + 0.5), int(height * pixelsPerMm + 0.5)));
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage& image = surface_.Image();
    // The widget may be larger than the largest picture: the rest is the picture's background.
    if (!image.rect().contains(event->rect()))
        painter.fillRect(event->rect(), ToQColor(surface_.BackColor()));
    painter.drawImage(event->rect().topLeft(), image, event->rect());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    surface_.Resize(event->size());
    QWidget::resizeEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPointF at = surface_.DeviceToUser(event->position().x(), event->position().y());
    Q_EMIT MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()), at.x(), at.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = surface_.DeviceToUser(event->position().x(), event->position().y());
    Q_EMIT MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()), at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = surface_.DeviceToUser(event->position().x(), event->position().y());
    Q_EMIT MouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()), at.x(), at.y());
}
