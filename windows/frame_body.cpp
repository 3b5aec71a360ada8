#include "windows/frame_body.h"

#include "platform/desktop.h"
#include "tabula.h"

#include <QMdiArea>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kHandleTwips = 80;
constexpr double kEdgeTwips = 500;
constexpr double kBarShortfallTwips = 20;

int PixelsX(double twips) {
    return static_cast<int>(std::lround(twips / desktop::TwipsPerPixelX()));
}
int PixelsY(double twips) {
    return static_cast<int>(std::lround(twips / desktop::TwipsPerPixelY()));
}

} // namespace

int FrameBody::HandleWidth() {
    return std::max(PixelsX(kHandleTwips), 3);
}

int FrameBody::EdgeLimit() {
    return PixelsX(kEdgeTwips);
}

FrameBody::FrameBody(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrameBody"));

    picBase_ = new QWidget(this);
    picBase_->setObjectName(QStringLiteral("picBase"));
    picBase_->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    picBase_->installEventFilter(this);

    grdData_ = new Tabula(picBase_);
    grdData_->setObjectName(QStringLiteral("grdData"));
    grdData_->SetFont(picBase_->font());

    imgSplitter_ = new QWidget(picBase_);
    imgSplitter_->setObjectName(QStringLiteral("imgSplitter"));
    imgSplitter_->setCursor(Qt::SplitHCursor);
    imgSplitter_->installEventFilter(this);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    // A child window moved partly out of sight can be scrolled back into view.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    // The bar belongs to the whole client area so that it stays visible over the child windows.
    picSplitter_ = new QWidget(this);
    picSplitter_->setObjectName(QStringLiteral("picSplitter"));
    picSplitter_->setAutoFillBackground(true);
    QPalette pal = picSplitter_->palette();
    pal.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
    picSplitter_->setPalette(pal);
    picSplitter_->hide();

    picBase_->resize(PixelsX(2400), picBase_->height());
}

void FrameBody::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

// The pane keeps its width; the grid and the handle fill its height, the child-window area
// takes what is left on the right.
void FrameBody::layoutChildren() {
    const int h = height(), paneWidth = picBase_->width(), hw = HandleWidth();
    picBase_->setGeometry(0, 0, paneWidth, h);
    grdData_->setGeometry(0, 0, std::max(paneWidth - hw, 0), h);
    imgSplitter_->setGeometry(paneWidth - hw, 0, hw, h);
    if (!moving_)
        picSplitter_->setGeometry(paneWidth - hw, 0, picSplitter_->width(), h);
    mdiArea_->setGeometry(paneWidth, 0, std::max(width() - paneWidth, 0), h);
}

bool FrameBody::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picBase_ && event->type() == QEvent::Resize) {
        layoutChildren();
    } else if (watched == imgSplitter_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                startDrag();
                return true;
            }
            break;
        case QEvent::MouseMove:
            if (moving_) {
                followMouse(static_cast<int>(static_cast<QMouseEvent*>(event)->position().x()));
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            if (moving_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                endDrag();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrameBody::startDrag() {
    const QRect handle = imgSplitter_->geometry();
    picSplitter_->setGeometry(handle.left(), handle.top(), handle.width() / 2,
                              std::max(handle.height() - PixelsY(kBarShortfallTwips), 0));
    picSplitter_->show();
    picSplitter_->raise();
    moving_ = true;
    dragged_ = false;
}

void FrameBody::followMouse(int x) {
    const int wanted = imgSplitter_->x() + x;
    int left = wanted;
    if (wanted < EdgeLimit())
        left = EdgeLimit();
    else if (wanted > width() - EdgeLimit())
        left = width() - EdgeLimit();
    picSplitter_->move(left, picSplitter_->y());
    dragged_ = true;
}

void FrameBody::endDrag() {
    // A click without a move leaves the pane alone: the bar starts a handle's width left of
    // the pane's edge, so repeated clicks would shrink the pane out of sight.
    if (dragged_)
        picBase_->resize(picSplitter_->x(), picBase_->height());
    picSplitter_->hide();
    moving_ = false;
    layoutChildren();
}
