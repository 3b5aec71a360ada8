#include "windows/frm_statistics.h"

#include "windows/mdi_activation.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

frmStatistics::frmStatistics(QWidget* parent)
    : QWidget(parent), activation_(new MdiActivation(this)), table_(new QTableWidget(0, 2, this)),
      copy_(new QPushButton(QStringLiteral("ｺﾋﾟｰ(&C)"), this)) {
    setWindowTitle(QStringLiteral("統計"));
    table_->setObjectName(QStringLiteral("tblStat"));
    table_->setHorizontalHeaderLabels({QStringLiteral("項目"), QStringLiteral("値")});
    table_->verticalHeader()->hide();
    // Rows as high as their text, so the whole table shows without scrolling.
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    copy_->setObjectName(QStringLiteral("cmdCopy"));
    connect(copy_, &QPushButton::clicked, this, &frmStatistics::CopyToClipboard);

    connect(activation_, &MdiActivation::Activated, this, &frmStatistics::Activate);
    connect(activation_, &MdiActivation::Deactivated, this, &frmStatistics::Deactivate);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
}

frmStatistics::~frmStatistics() {
    // The tracker reports the window's last deactivation: not to a window half gone.
    delete activation_;
}

void frmStatistics::SetRows(const std::vector<StatisticsTexts::Row>& rows) {
    rows_ = rows;
    table_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        table_->setItem(r, 0, new QTableWidgetItem(rows[size_t(r)].item));
        auto* value = new QTableWidgetItem(rows[size_t(r)].value);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(r, 1, value);
    }
    table_->resizeColumnToContents(0);
}

void frmStatistics::CopyToClipboard() const {
    QGuiApplication::clipboard()->setText(StatisticsTexts::ClipboardText(rows_));
}

QSize frmStatistics::sizeHint() const {
    return {380, 480};
}
