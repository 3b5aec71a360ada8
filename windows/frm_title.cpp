#include "windows/frm_title.h"

#include "core/version.h"
#include "windows/artwork.h"

#include <QEventLoop>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

frmTitle::frmTitle(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmTitle"));
    setFixedSize(480, 300);
    auto* picTitle = new QLabel(this);
    picTitle->setObjectName(QStringLiteral("picTitle"));
    picTitle->setPixmap(Artwork::SplashPicture(480, 300));
    picTitle->setGeometry(0, 0, 480, 300);

    auto* imgTitle = new QLabel(this);
    imgTitle->setObjectName(QStringLiteral("imgTitle"));
    imgTitle->setPixmap(Artwork::ProgramIcon(48));
    imgTitle->setGeometry(20, 18, 48, 48);

    auto makeLabel = [this](int index, const QString& text, const QString& family, int points,
                            QRect where, Qt::Alignment align) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("lblTitle_%1").arg(index));
        QFont f(family, points);
        f.setBold(index == 0);
        label->setFont(f);
        label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        label->setAlignment(align);
        label->setGeometry(where);
        lblTitle_[index] = label;
    };
    makeLabel(0, QStringLiteral("QUILL Stereo"), QStringLiteral("Impact"), 30,
              QRect(76, 10, 390, 60), Qt::AlignLeft | Qt::AlignVCenter);
    makeLabel(3, QStringLiteral("ｽﾃﾚｵ投影ﾌﾟﾛｸﾞﾗﾑ"), QStringLiteral("ＭＳ Ｐゴシック"), 14,
              QRect(80, 66, 220, 28), Qt::AlignLeft | Qt::AlignVCenter);
    makeLabel(2, QString(), QStringLiteral("ＭＳ Ｐゴシック"), 10, QRect(20, 270, 170, 22),
              Qt::AlignLeft | Qt::AlignVCenter);
}

QLabel* frmTitle::lblTitle(int index) const {
    return index >= 0 && index < 4 ? lblTitle_[index] : nullptr;
}

void frmTitle::Load(int milliseconds) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 4);
    }
    lblTitle_[2]->setText(QStringLiteral("Version ") + ProgramVersion::Text());
    show();
    raise();
    repaint();
    // Wait with the event loop running, so the splash paints and no core is kept busy.
    QEventLoop wait;
    QTimer::singleShot(milliseconds, &wait, &QEventLoop::quit);
    wait.exec();
    QCoreApplication::processEvents();
}
