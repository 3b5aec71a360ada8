#include "windows/frm_version.h"

#include "core/dialogs.h"
#include "core/file_association.h"
#include "core/version.h"
#include "windows/artwork.h"

#include <QBuffer>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

const QString kProgramTitle = QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ");
const QString kAppName = QStringLiteral("QUILL Stereo");

QByteArray iconPng() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Artwork::ProgramIcon(64).save(&buffer, "PNG");
    return bytes;
}

} // namespace

const QString& frmVersion::WebAddress() {
    static const QString address = QStringLiteral("https://quill-stereo.example.jp/");
    return address;
}

frmVersion::frmVersion(Dialogs& dialogs, const FileAssociation& association, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), association_(association) {
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(kProgramTitle + QStringLiteral(" のﾊﾞｰｼﾞｮﾝ情報"));
    setModal(true);

    auto* imgVer = new QLabel(this);
    imgVer->setObjectName(QStringLiteral("imgVer"));
    imgVer->setPixmap(Artwork::ProgramIcon(48));
    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(Artwork::SplashPicture(160, 100));

    lblVer_ = new QLabel(this);
    lblVer_->setObjectName(QStringLiteral("lblVer_0"));
    lblVer_->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 11));
    lblVer_->setText(kProgramTitle + QStringLiteral("\n（ｼｭﾐｯﾄﾈｯﾄ）\nfor Linux\nVersion ") +
                     ProgramVersion::Text());

    txtVersion0_ = new QPlainTextEdit(this);
    txtVersion0_->setObjectName(QStringLiteral("txtVersion_0"));
    txtVersion0_->setReadOnly(true);
    txtVersion0_->setPlainText(
        QStringLiteral("ご質問・ご要望・不具合のご報告は下記までお寄せください。\n"
                       "QUILL Stereo 開発チーム\n"
                       "電子メール：support@quill-stereo.example.jp"));
    txtVersion0_->setFixedHeight(70);

    txtVersion1_ = new QLabel(this);
    txtVersion1_->setObjectName(QStringLiteral("txtVersion_1"));
    txtVersion1_->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(WebAddress()));
    txtVersion1_->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                          Qt::LinksAccessibleByKeyboard);
    connect(txtVersion1_, &QLabel::linkActivated, this, [this] { txtVersion_Click(); });

    cmdVer_[0] = new QPushButton(QStringLiteral("OK"), this);
    cmdVer_[0]->setObjectName(QStringLiteral("cmdVer_0"));
    cmdVer_[0]->setDefault(true);
    cmdVer_[1] = new QPushButton(QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙを関連付ける"), this);
    cmdVer_[1]->setObjectName(QStringLiteral("cmdVer_1"));
    connect(cmdVer_[0], &QPushButton::clicked, this, [this] { cmdVer_Click(0); });
    connect(cmdVer_[1], &QPushButton::clicked, this, [this] { cmdVer_Click(1); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(imgVer, 0, 0, Qt::AlignTop);
    grid->addWidget(lblVer_, 0, 1);
    grid->addWidget(image1, 0, 2, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(txtVersion0_, 1, 0, 1, 3);
    grid->addWidget(txtVersion1_, 2, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdVer_[1]);
    buttons->addStretch();
    buttons->addWidget(cmdVer_[0]);
    grid->addLayout(buttons, 3, 0, 1, 3);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->availableGeometry();
        move(s.center() - rect().center());
    }
    if (association_.IsRegistered())
        cmdVer_[1]->setEnabled(false);
}

void frmVersion::txtVersion_Click() {
    if (!dialogs_.openExternal(WebAddress()))
        Notify(dialogs_,
               QStringLiteral("ﾎｰﾑﾍﾟｰｼﾞを表示できません。\r\n"
                              "Webﾌﾞﾗｳｻﾞを確認してください。\r\n\r\n") +
                   WebAddress(),
               MsgIcon::Exclamation, kAppName);
}

void frmVersion::cmdVer_Click(int index) {
    if (index == 0) {
        accept();
        return;
    }
    const QString question = QStringLiteral("拡張子が「") + QStringLiteral(".QST") +
                             QStringLiteral("」のﾌｧｲﾙを") + kAppName +
                             QStringLiteral("に関連付けます。\r\n") +
                             QStringLiteral("（関連付けが済むとﾃﾞｰﾀﾌｧｲﾙをﾀﾞﾌﾞﾙｸﾘｯｸして\r\n") +
                             QStringLiteral("　ﾌﾟﾛｸﾞﾗﾑを起動できるようになります。　　 ）\r\n") +
                             QStringLiteral("よろしいですか？");
    if (dialogs_.message(question, MsgButtons::YesNo, MsgIcon::Information, kAppName) !=
        MsgResult::Yes)
        return;
    if (association_.Register(iconPng())) {
        Notify(dialogs_, QStringLiteral("関連付けが完了しました。"), MsgIcon::Information,
               kAppName);
        cmdVer_[1]->setEnabled(false);
    } else {
        Notify(dialogs_, QStringLiteral("関連付けに失敗しました。"), MsgIcon::Critical, kAppName);
    }
}
