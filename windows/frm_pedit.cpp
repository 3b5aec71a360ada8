#include "windows/frm_pedit.h"

#include "windows/pole.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

frmPEdit::frmPEdit(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("極大点の削除"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    prompt_ = new QLabel(QStringLiteral("削除する極大点を選択してください。"), this);
    list_ = new QTreeWidget(this);
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("Index"), QStringLiteral("極大点の位置")});
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The number only identifies the row; the position fills the list.
    list_->setColumnHidden(0, true);
    list_->header()->setStretchLastSection(true);

    buttons_[0] = new QPushButton(QStringLiteral("削除(&D)"), this);
    buttons_[1] = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(&C)"), this);
    connect(buttons_[0], &QPushButton::clicked, this, &frmPEdit::deleteChosen);
    connect(buttons_[1], &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(buttons_[0]);
    row->addWidget(buttons_[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(list_);
    layout->addLayout(row);
    resize(320, 260);
}

void frmPEdit::setPoles(KeyedCollection<Pole>& poles) {
    poles_ = &poles;
    list_->clear();
    for (const Pole& pole : poles) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, QString::number(pole.Index()));
        item->setText(1, pole.Caption());
        item->setData(0, Qt::UserRole, QStringLiteral("PL_%1").arg(pole.Index()));
    }
}

void frmPEdit::showEvent(QShowEvent* event) {
    // Centred across the screen, a quarter of the free height from the top.
    if (const QScreen* screen =
            this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const QSize size = frameGeometry().size();
        move(area.left() + (area.width() - size.width()) / 2,
             area.top() + (area.height() - size.height()) / 4);
    }
    QDialog::showEvent(event);
}

void frmPEdit::deleteChosen() {
    if (poles_)
        for (const QTreeWidgetItem* item : list_->selectedItems())
            poles_->Remove(QStringLiteral("P_%1").arg(item->text(0).toInt()));
    Q_EMIT Remove();
    accept();
}
