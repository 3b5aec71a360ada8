#include "windows/picture_overlay.h"

#include <QEvent>
#include <QPainter>
#include <QPixmap>

PictureOverlay::PictureOverlay(QWidget* picture, std::function<QList<QLineF>()> lines)
    : QWidget(picture), lines_(std::move(lines)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(picture->rect());
    picture->installEventFilter(this);
}

void PictureOverlay::SetDragOutline(const QRect& outline) {
    if (outline == outline_)
        return;
    const QRect old = outline_;
    outline_ = outline;
    update(old.adjusted(-1, -1, 1, 1));
    update(outline_.adjusted(-1, -1, 1, 1));
}

bool PictureOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void PictureOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    for (const QLineF& line : lines_())
        painter.drawLine(line);
    if (!outline_.isEmpty()) {
        // Black dots on white, so that the outline shows on the picture and on dark fills.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(outline_.adjusted(0, 0, -1, -1));
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(outline_.adjusted(0, 0, -1, -1));
    }
}

QPixmap PoleMarkerPixmap() {
    constexpr int kSize = 15; // odd, so that the point sits on a pixel of its own
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kSize / 2.0, kSize / 2.0);
    painter.setPen(QPen(QColor(220, 0, 0), 2));
    painter.setBrush(QColor(255, 255, 255, 160));
    painter.drawEllipse(centre, 6, 6);
    painter.setPen(QPen(QColor(220, 0, 0), 1));
    painter.drawLine(QPointF(centre.x(), 0), QPointF(centre.x(), kSize));
    painter.drawLine(QPointF(0, centre.y()), QPointF(kSize, centre.y()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 0, 0));
    painter.drawEllipse(centre, 1.5, 1.5);
    return pixmap;
}
