// Tabula: the About box.
#include "tabula.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

void Tabula::ShowAboutBox() {
    QDialog frmAbout(this);
    frmAbout.setObjectName(QStringLiteral("frmAbout"));
    frmAbout.setWindowTitle(QStringLiteral("Tabula Control のﾊﾞｰｼﾞｮﾝ情報"));
    auto* lblTitle = new QLabel(QStringLiteral("Tabula Control"), &frmAbout);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblTitle->setFont(big);
    auto* lblVersion = new QLabel(
        QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision),
        &frmAbout);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* lblDescription =
        new QLabel(QStringLiteral("セルに直接入力できるデータ入力用のグリッドコントロールです。\n"
                                  "数値専用列、列の書き込み禁止、自動行番号、行の挿入と削除、\n"
                                  "タブ区切りテキストの貼り付けに対応しています。"),
                   &frmAbout);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), &frmAbout);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, &frmAbout, &QDialog::accept);
    auto* layout = new QVBoxLayout(&frmAbout);
    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addWidget(lblDescription);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    layout->addLayout(buttons);
    frmAbout.exec();
}
