#include "windows/frm_map.h"

#include "core/bmmain.h"
#include "core/dialogs.h"
#include "core/title_codec.h"
#include "core/vb.h"
#include "diagrams/picture_box.h"
#include "platform/desktop.h"
#include "scrollbar/sliver.h"
#include "windows/bmcontour.h"
#include "windows/control_colours.h"
#include "windows/mdi_activation.h"
#include "windows/picture_overlay.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <cmath>
#include <map>
#include <optional>

namespace {

// The picture and where the net sits on it, in millimetres; the net's radius is 50 mm.
constexpr double kPictureWidthMm = 200;
constexpr double kPictureHeightMm = 150;
constexpr double kCentreXMm = 85;
constexpr double kCentreYMm = 70;
constexpr double kRadiusMm = 50;
constexpr double kMmPerInch = 25.4;

const QString kTitleFont = QStringLiteral("ＭＳ Ｐゴシック");
const QString kPoleCaption = QStringLiteral("Ｎ２８゜Ｗ８２゜ＮＥ");

double mmToScreenPixels(double mm, double twipsPerPixel) {
    return mm / kMmPerInch * 1440.0 / twipsPerPixel;
}

// Blanks around the answer go; full-width spaces are part of the title.
QString trimSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

struct frmMap::Private {
    struct Pole {
        QPointer<QLabel> image;
        QPointer<QLabel> label;
        QLineF lineMm;
        bool lineVisible = false;
    };
    struct Drag {
        QPointer<QWidget> control;
        int index = 0;
        bool image = false;
        QPointF offset; // picture units from the control's top-left to the mouse
    };

    frmMap* q = nullptr;
    PictureBox* picture = nullptr;
    QLabel* title = nullptr;
    Sliver* sliver = nullptr;
    PictureOverlay* overlay = nullptr;
    MdiActivation* activation = nullptr;
    QString titleText;
    std::map<int, Pole> poles;
    // Top-left of each control in millimetres of the picture: the place stays where it is
    // when the net radius changes, only the numbers in picture units follow.
    QHash<const QWidget*, QPointF> placeMm;
    double pictureLeftMm = 0;
    double pictureTopMm = 0;
    // Until the window has had its first size, a restored scroll position is kept as it is.
    bool laidOut = false;
    std::optional<Drag> drag;

    // ---- units ----
    static double radius() { return BMMain::NetRadius > 0 ? BMMain::NetRadius : 100; }
    double pxPerMmX() const { return picture->width() / kPictureWidthMm; }
    double pxPerMmY() const { return picture->height() / kPictureHeightMm; }
    static QPointF unitsToMm(QPointF u) {
        return {kCentreXMm + u.x() * kRadiusMm / radius(),
                kCentreYMm + u.y() * kRadiusMm / radius()};
    }
    static QPointF mmToUnits(QPointF mm) {
        return {(mm.x() - kCentreXMm) * radius() / kRadiusMm,
                (mm.y() - kCentreYMm) * radius() / kRadiusMm};
    }
    QPointF mmToPx(QPointF mm) const { return {mm.x() * pxPerMmX(), mm.y() * pxPerMmY()}; }
    QPointF pxToMm(QPointF px) const { return {px.x() / pxPerMmX(), px.y() / pxPerMmY()}; }
    QPointF pxToUnits(QPointF px) const { return mmToUnits(pxToMm(px)); }
    // A length inside a control, pixels to picture units.
    QPointF pxLengthToUnits(QPointF px) const {
        return {px.x() / pxPerMmX() * radius() / kRadiusMm,
                px.y() / pxPerMmY() * radius() / kRadiusMm};
    }
    static double screenPxPerMmX() { return mmToScreenPixels(1, desktop::TwipsPerPixelX()); }
    static double screenPxPerMmY() { return mmToScreenPixels(1, desktop::TwipsPerPixelY()); }

    // ---- controls ----
    QPointF placeOf(const QWidget* control) const {
        const auto it = placeMm.constFind(control);
        return it != placeMm.constEnd() ? *it : pxToMm(control->pos());
    }
    void moveToMm(QWidget* control, QPointF mm) {
        placeMm.insert(control, mm);
        const QPointF px = mmToPx(mm);
        control->move(int(std::lround(px.x())), int(std::lround(px.y())));
    }
    static QSize autoSizeOf(const QWidget* control) {
        return control->sizeHint().expandedTo(control->minimumSize());
    }
    static void autoSize(QWidget* control) {
        if (auto* label = qobject_cast<QLabel*>(control))
            if (label->size() != autoSizeOf(label))
                label->resize(autoSizeOf(label));
    }
    QRectF rectOf(const QWidget* control) const {
        autoSize(const_cast<QWidget*>(control));
        const QPointF topLeft = mmToUnits(placeOf(control));
        const QPointF size = pxLengthToUnits(QPointF(control->width(), control->height()));
        return {topLeft.x(), topLeft.y(), size.x(), size.y()};
    }
    void centreTitle() {
        autoSize(title);
        QPointF mm = placeOf(title);
        mm.setX(kCentreXMm - title->width() / pxPerMmX() / 2);
        moveToMm(title, mm);
    }
    const Pole* findPole(int index) const {
        const auto it = poles.find(index);
        return it != poles.end() ? &it->second : nullptr;
    }
    Pole* findPole(int index) {
        const auto it = poles.find(index);
        return it != poles.end() ? &it->second : nullptr;
    }
    // The marker index and kind of a control inside the picture.
    std::optional<std::pair<int, bool>> poleOf(const QObject* control) const {
        for (const auto& [index, pole] : poles) {
            if (pole.image == control)
                return std::pair{index, true};
            if (pole.label == control)
                return std::pair{index, false};
        }
        return std::nullopt;
    }
    QList<QLineF> visibleLinesPx() const {
        QList<QLineF> lines;
        for (const auto& [index, pole] : poles)
            if (pole.lineVisible)
                lines.append(QLineF(mmToPx(pole.lineMm.p1()), mmToPx(pole.lineMm.p2())));
        return lines;
    }

    // ---- scrolling ----
    void placePicture() {
        picture->move(int(std::lround(pictureLeftMm * screenPxPerMmX())),
                      int(std::lround(pictureTopMm * screenPxPerMmY())));
    }
    double viewportWidthMm() const { return q->viewport()->width() / screenPxPerMmX(); }
    double viewportHeightMm() const { return q->viewport()->height() / screenPxPerMmY(); }
    void applyScrollRules();

    // ---- dragging ----
    bool overPicture(QPointF globalPos, QPointF* px) const;
    void dragOver(QPointF globalPos);
    void drop(QPointF globalPos);
    void cancelDrag();
    void followLine(const Drag& d, QPointF topLeftUnits);
};

void frmMap::Private::applyScrollRules() {
    laidOut = true;
    // Showing one bar narrows the room for the other: settle within a few rounds.
    for (int round = 0; round < 3; ++round) {
        const bool hWas = sliver->HVisible();
        const bool vWas = sliver->VVisible();
        if (q->viewport()->width() >= picture->width()) {
            sliver->setHVisible(false);
            // A hidden bar must not come back at an old position.
            sliver->setHValue(0);
            pictureLeftMm = 0;
        } else {
            sliver->setHVisible(true);
            sliver->setHMax(vb::CLng(kPictureWidthMm));
            sliver->setHMin(0);
            sliver->setHPage(vb::CLng(viewportWidthMm()));
            // The bar keeps its position within the new range; the picture follows the bar.
            pictureLeftMm = -sliver->HValue();
        }
        if (q->viewport()->height() < picture->height()) {
            sliver->setVVisible(true);
            sliver->setVMax(vb::CLng(kPictureHeightMm));
            sliver->setVMin(0);
            sliver->setVPage(vb::CLng(viewportHeightMm()));
            pictureTopMm = -sliver->VValue();
        } else {
            sliver->setVVisible(false);
            sliver->setVValue(0);
            pictureTopMm = 0;
        }
        if (hWas == sliver->HVisible() && vWas == sliver->VVisible())
            break;
    }
    placePicture();
}

bool frmMap::Private::overPicture(QPointF globalPos, QPointF* px) const {
    *px = picture->mapFromGlobal(globalPos);
    const QPointF inViewport = q->viewport()->mapFromGlobal(globalPos);
    const QRectF visible(q->viewport()->rect());
    return px->x() >= 0 && px->x() <= picture->width() && px->y() >= 0 &&
           px->y() <= picture->height() && visible.contains(inViewport);
}

void frmMap::Private::followLine(const Drag& d, QPointF topLeftUnits) {
    Pole* pole = findPole(d.index);
    if (!pole)
        return;
    QLineF units(mmToUnits(pole->lineMm.p1()), mmToUnits(pole->lineMm.p2()));
    if (d.image) {
        units.setP1(topLeftUnits + d.offset);
    } else {
        // The line meets the label edge nearer to the net's east-west line.
        const double height = rectOf(d.control).height();
        const double y = topLeftUnits.y() > 0 ? topLeftUnits.y() : topLeftUnits.y() + height;
        units.setP2(QPointF(topLeftUnits.x(), y));
    }
    pole->lineMm = QLineF(unitsToMm(units.p1()), unitsToMm(units.p2()));
    overlay->update();
}

void frmMap::Private::dragOver(QPointF globalPos) {
    if (!drag || !drag->control)
        return;
    QPointF px;
    if (overPicture(globalPos, &px)) {
        const QPointF topLeft = pxToUnits(px) - drag->offset;
        followLine(*drag, topLeft);
        const QPointF outline = mmToPx(unitsToMm(topLeft));
        overlay->SetDragOutline(
            QRect(QPoint(int(std::lround(outline.x())), int(std::lround(outline.y()))),
                  drag->control->size()));
    } else {
        // Left the picture: the line goes back to the control where it stands.
        followLine(*drag, rectOf(drag->control).topLeft());
        overlay->SetDragOutline(QRect());
    }
}

void frmMap::Private::drop(QPointF globalPos) {
    const Drag d = *drag;
    drag.reset();
    overlay->SetDragOutline(QRect());
    if (!d.control)
        return;
    QPointF px;
    if (!overPicture(globalPos, &px)) {
        followLine(d, rectOf(d.control).topLeft());
        return;
    }
    const QPointF topLeft = pxToUnits(px) - d.offset;
    followLine(d, topLeft);
    const QPointF before = placeOf(d.control);
    moveToMm(d.control, unitsToMm(topLeft));
    if (!d.image) {
        if (placeOf(d.control) != before)
            Q_EMIT q->MovePoleLabel(d.index);
    } else {
        const QRectF r = rectOf(d.control);
        const float left = float(r.left());
        const float top = float(r.top());
        const float width = float(r.width());
        const float height = float(r.height());
        const float netRadius = float(radius());
        Q_EMIT q->MovePole(d.index, (left + width / 2) / netRadius, (top + height / 2) / netRadius);
    }
}

void frmMap::Private::cancelDrag() {
    if (!drag)
        return;
    const Drag d = *drag;
    drag.reset();
    overlay->SetDragOutline(QRect());
    if (d.control)
        followLine(d, rectOf(d.control).topLeft());
}

// ---- construction ----

frmMap::frmMap(Dialogs& dialogs, QWidget* parent)
    : QAbstractScrollArea(parent), d_(new Private), dialogs_(dialogs) {
    d_->q = this;
    BMContour::DisableCloseCommand(this);
    viewport()->setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);

    d_->picture = new PictureBox(viewport());
    d_->picture->setFocusPolicy(Qt::ClickFocus);
    d_->picture->installEventFilter(this);
    d_->picture->SetPictureSize(
        QSize(int(std::lround(mmToScreenPixels(kPictureWidthMm, desktop::TwipsPerPixelX()))),
              int(std::lround(mmToScreenPixels(kPictureHeightMm, desktop::TwipsPerPixelY())))));
    const double r = Private::radius();
    d_->picture->Surface().Scale(-r * 85 / 50, -r * 70 / 50, r * 115 / 50, r * 80 / 50);
    connect(d_->picture, &PictureBox::MouseUp, this, [this](int button, int, double, double) {
        if (button != 2)
            return;
        // The menu's commands act on the active window: the clicked one becomes it first.
        d_->activation->MakeActive();
        d_->picture->setFocus();
        Q_EMIT MenuButtonDown(2);
    });

    d_->overlay = new PictureOverlay(d_->picture, [this] { return d_->visibleLinesPx(); });

    d_->title = new QLabel(QStringLiteral("タイトル"), d_->picture);
    d_->title->setFont(QFont(kTitleFont, 12));
    d_->title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // A blank title must still take a double click to get a new one.
    d_->title->setMinimumSize(d_->title->sizeHint());
    d_->title->installEventFilter(this);
    d_->titleText = d_->title->text();
    d_->moveToMm(d_->title, QPointF(kCentreXMm, kCentreYMm + 1.2 * kRadiusMm));
    d_->centreTitle();

    d_->sliver = new Sliver(this);
    connect(d_->sliver, &Sliver::HScroll, this, [this] {
        d_->pictureLeftMm = -d_->sliver->HValue();
        d_->placePicture();
    });
    connect(d_->sliver, &Sliver::VScroll, this, [this] {
        d_->pictureTopMm = -d_->sliver->VValue();
        d_->placePicture();
    });

    d_->activation = new MdiActivation(this);
    connect(d_->activation, &MdiActivation::Activated, this, &frmMap::Activate);
    connect(d_->activation, &MdiActivation::Deactivated, this, &frmMap::Deactivate);
}

frmMap::~frmMap() {
    // These talk to the window while they go: let them go while it is still whole.
    delete d_->activation;
    delete d_->sliver;
    d_->picture->removeEventFilter(this);
    delete d_;
}

// ---- properties ----

QString frmMap::Title() const {
    return d_->titleText;
}

void frmMap::setTitle(const QString& value) {
    d_->titleText = value;
    QString shown = value;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    d_->title->setText(shown);
    d_->centreTitle();
}

float frmMap::PictureLeft() const {
    return float(d_->pictureLeftMm);
}

void frmMap::setPictureLeft(float value) {
    d_->sliver->setHValue(vb::CLng(-double(value)));
    if (!d_->laidOut)
        d_->pictureLeftMm = value;
    else if (d_->sliver->HVisible())
        d_->pictureLeftMm = -d_->sliver->HValue();
    else {
        d_->sliver->setHValue(0);
        d_->pictureLeftMm = 0;
    }
    d_->placePicture();
}

float frmMap::PictureTop() const {
    return float(d_->pictureTopMm);
}

void frmMap::setPictureTop(float value) {
    d_->sliver->setVValue(vb::CLng(-double(value)));
    if (!d_->laidOut)
        d_->pictureTopMm = value;
    else if (d_->sliver->VVisible())
        d_->pictureTopMm = -d_->sliver->VValue();
    else {
        d_->sliver->setVValue(0);
        d_->pictureTopMm = 0;
    }
    d_->placePicture();
}

PictureBox& frmMap::picCont() const {
    return *d_->picture;
}

QLabel& frmMap::lblTitle() const {
    return *d_->title;
}

Sliver& frmMap::sliver() const {
    return *d_->sliver;
}

float frmMap::TitleTop() const {
    return float(d_->rectOf(d_->title).top());
}

void frmMap::SetTitleTop(float units) {
    const QPointF mm = d_->placeOf(d_->title);
    d_->moveToMm(d_->title, QPointF(mm.x(), Private::unitsToMm(QPointF(0, units)).y()));
}

void frmMap::EditTitle() {
    const QString prompt = QStringLiteral("新しい表題を入力して下さい。") +
                           QStringLiteral("\r\n\r\n") + QStringLiteral("改行　　→「￥ｎ」") +
                           QStringLiteral("\r\n") + QStringLiteral("全空白　→「￥ｚ」");
    const std::optional<QString> answer =
        dialogs_.input(prompt, QStringLiteral("図のﾀｲﾄﾙ"), BMMain::EncodeTitle(Title()));
    if (!answer)
        return;
    QString text = BMMain::NarrowTypedLineBreaks(trimSpaces(*answer));
    if (text.isEmpty())
        return;
    // The data file's character set writes "¥" as its backslash byte, which reads back as "\":
    // taken as that backslash here, the title shows now as it will after a save.
    text.replace(QChar(0x00A5), u'\\');
    const QString before = Title();
    setTitle(BMMain::DecodeTitle(text));
    if (Title() != before)
        Q_EMIT TitleChange();
}

// ---- marker controls ----

void frmMap::LoadPoleControls(int index) {
    if (index < 1 || d_->findPole(index))
        return;
    Private::Pole pole;
    pole.image = new QLabel(d_->picture);
    pole.image->setPixmap(PoleMarkerPixmap());
    pole.image->resize(pole.image->sizeHint());
    pole.image->setCursor(Qt::SizeAllCursor);
    pole.image->hide();
    pole.image->installEventFilter(this);

    pole.label = new QLabel(kPoleCaption, d_->picture);
    pole.label->setFont(QFont(kTitleFont, 9));
    pole.label->setAutoFillBackground(true);
    ControlColours::SetWindowColours(pole.label);
    pole.label->resize(pole.label->sizeHint());
    pole.label->hide();
    pole.label->installEventFilter(this);

    d_->moveToMm(pole.image, QPointF(kCentreXMm, kCentreYMm));
    d_->moveToMm(pole.label, QPointF(kCentreXMm, kCentreYMm));
    pole.lineMm = QLineF(QPointF(kCentreXMm, kCentreYMm), QPointF(kCentreXMm, kCentreYMm));
    d_->poles.emplace(index, pole);
}

void frmMap::UnloadPoleControls(int index) {
    auto it = d_->poles.find(index);
    if (it == d_->poles.end())
        return;
    Private::Pole pole = it->second;
    d_->poles.erase(it);
    if (d_->drag && (d_->drag->control == pole.image || d_->drag->control == pole.label)) {
        d_->drag.reset();
        d_->overlay->SetDragOutline(QRect());
    }
    // The controls may be in the middle of their own mouse event (the pop-up menu's delete).
    for (QLabel* control : {pole.image.data(), pole.label.data()}) {
        if (!control)
            continue;
        d_->placeMm.remove(control);
        control->hide();
        control->removeEventFilter(this);
        control->deleteLater();
    }
    d_->overlay->update();
}

bool frmMap::HasPoleControls(int index) const {
    return d_->findPole(index) != nullptr;
}

int frmMap::PoleUBound() const {
    return d_->poles.empty() ? 0 : d_->poles.rbegin()->first;
}

QLabel* frmMap::imgPole(int index) const {
    const Private::Pole* pole = d_->findPole(index);
    return pole ? pole->image.data() : nullptr;
}

QLabel* frmMap::lblPole(int index) const {
    const Private::Pole* pole = d_->findPole(index);
    return pole ? pole->label.data() : nullptr;
}

QLineF frmMap::linePole(int index) const {
    const Private::Pole* pole = d_->findPole(index);
    if (!pole)
        return {};
    return {Private::mmToUnits(pole->lineMm.p1()), Private::mmToUnits(pole->lineMm.p2())};
}

void frmMap::setLinePole(int index, const QLineF& line) {
    Private::Pole* pole = d_->findPole(index);
    if (!pole)
        return;
    pole->lineMm = QLineF(Private::unitsToMm(line.p1()), Private::unitsToMm(line.p2()));
    d_->overlay->update();
}

bool frmMap::LinePoleVisible(int index) const {
    const Private::Pole* pole = d_->findPole(index);
    return pole && pole->lineVisible;
}

void frmMap::setLinePoleVisible(int index, bool visible) {
    Private::Pole* pole = d_->findPole(index);
    if (!pole || pole->lineVisible == visible)
        return;
    pole->lineVisible = visible;
    d_->overlay->update();
}

QRectF frmMap::ControlRect(const QWidget* control) const {
    return control ? d_->rectOf(control) : QRectF();
}

void frmMap::MoveControl(QWidget* control, double left, double top) {
    if (control)
        d_->moveToMm(control, Private::unitsToMm(QPointF(left, top)));
}

void frmMap::BringToFront() {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    QMdiArea* area = frame ? frame->mdiArea() : nullptr;
    if (!area) {
        raise();
        return;
    }
    // The window in front of a frame is its active one, as after a click, so that printing and
    // copying act on the diagram the user sees. The keys stay in the data grid or its input
    // line when the user was typing there.
    const QPointer<QWidget> typing = QApplication::focusWidget();
    d_->activation->MakeActive();
    frame->raise();
    if (typing && typing->window() == frame->window() && !area->isAncestorOf(typing))
        typing->setFocus(Qt::OtherFocusReason);
}

QSize frmMap::sizeHint() const {
    const int frame = 2 * frameWidth();
    return d_->picture->size() + QSize(frame, frame);
}

// ---- events ----

bool frmMap::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (watched == d_->picture) {
        // A label's caption changed: labels take the size of their caption, the title stays
        // centred.
        if (type == QEvent::LayoutRequest) {
            for (const auto& [index, pole] : d_->poles)
                if (pole.label)
                    Private::autoSize(pole.label);
            if (d_->title->size() != Private::autoSizeOf(d_->title))
                d_->centreTitle();
        }
        return QAbstractScrollArea::eventFilter(watched, event);
    }
    if (watched == d_->title) {
        const Qt::MouseButton button =
            press ? static_cast<QMouseEvent*>(event)->button() : Qt::NoButton;
        if ((type == QEvent::MouseButtonPress && button == Qt::RightButton) ||
            (type == QEvent::MouseButtonDblClick && button == Qt::LeftButton)) {
            EditTitle();
            return true;
        }
        // The title's clicks are its own: a right click there is not the picture's menu.
        if (press || type == QEvent::MouseButtonRelease)
            return true;
        return QAbstractScrollArea::eventFilter(watched, event);
    }
    if (!press && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QAbstractScrollArea::eventFilter(watched, event);
    const auto pole = d_->poleOf(watched);
    if (!pole)
        return QAbstractScrollArea::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* control = static_cast<QWidget*>(watched);
    const auto [index, image] = *pole;

    if (press) {
        if (d_->drag) {
            // Another button during a drag is part of it; with no other button held, the end
            // of the last drag went elsewhere (the frame lost the focus): drop that one.
            if (mouse->buttons() & ~mouse->button())
                return true;
            d_->cancelDrag();
        }
        if (!image && mouse->button() == Qt::RightButton) {
            d_->activation->MakeActive();
            poleNo_ = index;
            QPointer<QLabel> label = static_cast<QLabel*>(control);
            ControlColours::SetHighlightColours(label);
            label->repaint();
            Q_EMIT MenuButtonDown(6);
            // The menu command may have removed the marker meanwhile.
            if (label) {
                ControlColours::SetWindowColours(label);
                if (label->isVisible())
                    label->repaint();
            }
            return true;
        }
        if (!image)
            poleNo_ = 0;
        Private::Drag drag;
        drag.control = control;
        drag.index = index;
        drag.image = image;
        // An image is always held at its centre, a label where it was taken.
        drag.offset = image ? d_->pxLengthToUnits(QPointF(control->width(), control->height()) / 2)
                            : d_->pxLengthToUnits(mouse->position());
        d_->drag = drag;
        return true;
    }
    if (!d_->drag || d_->drag->control != control)
        return true;
    if (type == QEvent::MouseMove)
        d_->dragOver(mouse->globalPosition());
    else
        d_->drop(mouse->globalPosition());
    return true;
}

void frmMap::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    d_->applyScrollRules();
}

void frmMap::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    d_->applyScrollRules();
}

void frmMap::scrollContentsBy(int, int) {
    // The picture moves on the Sliver's events, not with the bars' raw positions.
}
