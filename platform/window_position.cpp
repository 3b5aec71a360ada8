#include "platform/window_position.h"

#include "core/bmmain.h"
#include "core/vb.h"
#include "platform/desktop.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaProperty>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
const QString kStatus = QStringLiteral("Status");
const QString kPictureLeft = QStringLiteral("PictureLeft");
const QString kPictureTop = QStringLiteral("PictureTop");

float readSingle(const QString& section, const QString& key, float defaultValue) {
    const auto number = vb::ParseNumber(BMMain::GetIniString(section, key, QString()));
    if (!number || std::fabs(*number) > FLT_MAX)
        return defaultValue;
    return static_cast<float>(*number);
}

int readStatus(const QString& section) {
    const auto number = vb::ParseNumber(BMMain::GetIniString(section, kStatus, QString()));
    if (!number)
        return -1;
    return vb::CIntChecked(*number).value_or(-1);
}

// The window that carries the placement: an MDI child's frame, or the form itself.
QWidget* frameOf(QWidget* frm) {
    if (qobject_cast<QMdiSubWindow*>(frm))
        return frm;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frm->parentWidget()))
        return sub;
    return frm;
}

// How much of a title bar must lie in the area for the mouse to take hold of it.
constexpr int kGripWidth = 32;
constexpr int kTitleHeight = 20;

// The area's size once its frame fills the screen, as the frame does at every start: a window
// is placed before the window system may have maximised the frame.
QSize expectedAreaSize(const QMdiArea& area) {
    QSize size = area.viewport()->size();
    const QWidget* frame = area.window();
    if (const QScreen* screen = frame->screen())
        size += (screen->availableGeometry().size() - frame->frameGeometry().size())
                    .expandedTo(QSize(0, 0));
    return size;
}

int toPixels(float twips, double twipsPerPixel) {
    // Far-off values from a damaged file must not overflow the conversion.
    const double px = std::clamp(static_cast<double>(twips) / twipsPerPixel, -1e6, 1e6);
    return static_cast<int>(std::lround(px));
}

float toTwips(int pixels, double twipsPerPixel) {
    return static_cast<float>(pixels * twipsPerPixel);
}

bool hasProperty(const QObject* object, const char* name) {
    return object->metaObject()->indexOfProperty(name) >= 0;
}

float pictureProperty(const QObject* form, const char* name) {
    if (!hasProperty(form, name))
        return 0;
    bool ok = false;
    const float value = form->property(name).toFloat(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

void setPictureProperty(QObject* form, const char* name, float value) {
    if (hasProperty(form, name))
        form->setProperty(name, value);
}

float halfScreenWidthTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int width = screen ? screen->geometry().width() : 1024;
    return toTwips(width, desktop::TwipsPerPixelX()) / 2;
}

Qt::WindowStates stateOf(int status) {
    switch (status) {
    case 1:
        return Qt::WindowMinimized;
    case 2:
        return Qt::WindowMaximized;
    default:
        return Qt::WindowNoState;
    }
}

int statusOf(const QWidget* window) {
    const Qt::WindowStates state = window->windowState();
    if (state & Qt::WindowMinimized)
        return 1;
    if (state & Qt::WindowMaximized)
        return 2;
    return 0;
}

} // namespace

QString WindowPosition::SingleText(float value) {
    QString text = vb::NumberText(value);
    // Written the way a number converts to text, with its zero before the point.
    if (text.startsWith(u'.'))
        text.prepend(u'0');
    else if (text.startsWith(QLatin1String("-.")))
        text.insert(1, u'0');
    return text;
}

StoredPlacement WindowPosition::Read(const QString& section, float defaultSize) {
    StoredPlacement p;
    p.left = readSingle(section, kLeft, 0);
    p.top = readSingle(section, kTop, 0);
    p.width = readSingle(section, kWidth, defaultSize);
    // The default height is the same as the width: half the screen width.
    p.height = readSingle(section, kHeight, defaultSize);
    p.status = readStatus(section);
    p.pictureLeft = readSingle(section, kPictureLeft, 0);
    p.pictureTop = readSingle(section, kPictureTop, 0);
    return p;
}

bool WindowPosition::Write(const QString& section, const StoredPlacement& p, bool normal) {
    bool ok = true;
    if (normal) {
        ok &= BMMain::WriteIniString(section, kLeft, SingleText(p.left));
        ok &= BMMain::WriteIniString(section, kTop, SingleText(p.top));
        ok &= BMMain::WriteIniString(section, kWidth, SingleText(p.width));
        ok &= BMMain::WriteIniString(section, kHeight, SingleText(p.height));
    }
    ok &= BMMain::WriteIniString(section, kPictureLeft, SingleText(p.pictureLeft));
    ok &= BMMain::WriteIniString(section, kPictureTop, SingleText(p.pictureTop));
    ok &= BMMain::WriteIniString(section, kStatus, QString::number(p.status));
    return ok;
}

QRect WindowPosition::KeptInView(QRect window, QSize area) {
    if (area.isEmpty())
        return window;
    window.setSize(window.size().expandedTo(QSize(0, 0)).boundedTo(area));
    const int across =
        std::min(window.left() + window.width(), area.width()) - std::max(window.left(), 0);
    const bool held = across >= std::min(kGripWidth, window.width()) && window.top() >= 0 &&
                      window.top() <= area.height() - kTitleHeight;
    if (!held)
        window.moveTo(std::clamp(window.left(), 0, area.width() - window.width()),
                      std::clamp(window.top(), 0, area.height() - window.height()));
    return window;
}

void WindowPosition::SetWindowPosML2(QWidget* frm, const QString& section) const {
    if (!frm)
        return;
    const StoredPlacement p = Read(section, halfScreenWidthTwips());
    if (p.status >= 0) {
        QWidget* window = frameOf(frm);
        const double tx = desktop::TwipsPerPixelX();
        const double ty = desktop::TwipsPerPixelY();
        QRect rect(toPixels(p.left, tx), toPixels(p.top, ty), toPixels(p.width, tx),
                   toPixels(p.height, ty));
        // A window stored off the frame (another screen, a damaged file) would stay lost.
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window); sub && sub->mdiArea())
            rect = KeptInView(rect, expectedAreaSize(*sub->mdiArea()));
        // The rectangle goes on in the normal state and the stored state after it, so that a
        // minimised or maximised window still restores to its own normal rectangle.
        window->setWindowState(window->windowState() &
                               ~(Qt::WindowMinimized | Qt::WindowMaximized));
        if (window->isWindow()) {
            window->move(rect.topLeft());
            window->resize(rect.size());
        } else {
            window->setGeometry(rect);
        }
        const Qt::WindowStates state = stateOf(p.status);
        if (state != Qt::WindowNoState)
            window->setWindowState(window->windowState() | state);
    }
    setPictureProperty(frm, "PictureLeft", p.pictureLeft);
    setPictureProperty(frm, "PictureTop", p.pictureTop);
}

bool WindowPosition::SaveWindowPosML2(QWidget* frm, const QString& section) const {
    if (!frm)
        return false;
    const QWidget* window = frameOf(frm);
    const double tx = desktop::TwipsPerPixelX();
    const double ty = desktop::TwipsPerPixelY();
    StoredPlacement p;
    p.status = statusOf(window);
    const QRect rect =
        window->isWindow() ? QRect(window->pos(), window->size()) : window->geometry();
    p.left = toTwips(rect.left(), tx);
    p.top = toTwips(rect.top(), ty);
    p.width = toTwips(rect.width(), tx);
    p.height = toTwips(rect.height(), ty);
    p.pictureLeft = pictureProperty(frm, "PictureLeft");
    p.pictureTop = pictureProperty(frm, "PictureTop");
    return Write(section, p, p.status == 0);
}
