#include "windows/frm_import.h"

#include "platform/desktop.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace {

using Notation::Kind;

constexpr Kind kNotations[] = {Kind::Auto, Kind::Quadrant, Kind::DipDirection, Kind::RightHandRule};

QString NotationCaption(Kind kind) {
    switch (kind) {
    case Kind::Auto:
        break;
    case Kind::Quadrant:
        return QStringLiteral("走向傾斜（N30E 45SE）");
    case Kind::DipDirection:
        return QStringLiteral("傾斜方向/傾斜（120/45）");
    case Kind::RightHandRule:
        return QStringLiteral("走向/傾斜 右手則（030/45）");
    }
    return QStringLiteral("自動判定");
}

// Chosen columns stand out in the preview.
const QColor kChosenColumn(0xFF, 0xF4, 0xCC);
const QColor kRefusedText(0xC0, 0x00, 0x00);

} // namespace

frmImport::frmImport(const ImportPreviewRequest& request, QWidget* parent)
    : QDialog(parent), source_(*request.source) {
    choice_.sheet = request.sheet;
    choice_.mapping = request.mapping;
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("ﾃﾞｰﾀの取り込み - ") + request.fileName);
    resize(760, 640);

    auto* layout = new QVBoxLayout(this);
    auto* about = new QLabel(
        QStringLiteral("ﾌｧｲﾙ: %1　　%2")
            .arg(request.fileName,
                 source_.sheetNames.isEmpty()
                     ? QStringLiteral("文字ｺｰﾄﾞ: ") + source_.encoding
                     : QStringLiteral("Excel ﾌﾞｯｸ（ｼｰﾄ %1 枚）").arg(source_.sheetNames.size())),
        this);
    about->setObjectName(QStringLiteral("lblFile"));
    layout->addWidget(about);

    auto* form = new QFormLayout;
    layout->addLayout(form);
    sheetBox_ = new QComboBox(this);
    sheetBox_->setObjectName(QStringLiteral("cboSheet"));
    sheetBox_->addItems(source_.sheetNames);
    if (!source_.sheetNames.isEmpty())
        form->addRow(QStringLiteral("ｼｰﾄ(&S):"), sheetBox_);
    else
        sheetBox_->hide();

    notationBox_ = new QComboBox(this);
    notationBox_->setObjectName(QStringLiteral("cboNotation"));
    for (const Kind kind : kNotations)
        notationBox_->addItem(NotationCaption(kind), int(kind));
    form->addRow(QStringLiteral("表記(&N):"), notationBox_);

    auto* columns = new QHBoxLayout;
    for (size_t i = 0; i < columnBoxes_.size(); ++i) {
        columnBoxes_[i] = new QComboBox(this);
        columnBoxes_[i]->setObjectName(QStringLiteral("cboColumn%1").arg(i + 1));
        columnBoxes_[i]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        columns->addWidget(columnBoxes_[i]);
        connect(columnBoxes_[i], &QComboBox::currentIndexChanged, this, &frmImport::columnsChanged);
    }
    columns->addStretch();
    form->addRow(QStringLiteral("読む列(&C):"), columns);
    columnsNote_ = new QLabel(this);
    columnsNote_->setObjectName(QStringLiteral("lblColumns"));
    form->addRow(QString(), columnsNote_);

    rows_ = new QTableWidget(this);
    rows_->setObjectName(QStringLiteral("grdPreview"));
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows_->setSelectionMode(QAbstractItemView::NoSelection);
    rows_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(rows_, 3);

    counts_ = new QLabel(this);
    counts_->setObjectName(QStringLiteral("lblCounts"));
    layout->addWidget(counts_);
    refused_ = new QListWidget(this);
    refused_->setObjectName(QStringLiteral("lstRefused"));
    layout->addWidget(refused_, 2);

    auto* placementBox = new QGroupBox(QStringLiteral("取り込み方"), this);
    auto* placementLayout = new QHBoxLayout(placementBox);
    placement_ = new QButtonGroup(this);
    auto* replace = new QRadioButton(QStringLiteral("ﾃﾞｰﾀを置き換える(&R)"), placementBox);
    replace->setObjectName(QStringLiteral("optReplace"));
    auto* append = new QRadioButton(QStringLiteral("最後のﾃﾞｰﾀの後に追加する(&A)"), placementBox);
    append->setObjectName(QStringLiteral("optAppend"));
    placement_->addButton(replace, 0);
    placement_->addButton(append, 1);
    replace->setChecked(true);
    placementLayout->addWidget(replace);
    placementLayout->addWidget(append);
    placementLayout->addStretch();
    layout->addWidget(placementBox);

    auto* buttons = new QDialogButtonBox(this);
    accept_ = buttons->addButton(QStringLiteral("取り込み"), QDialogButtonBox::AcceptRole);
    accept_->setObjectName(QStringLiteral("cmdOK"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        choice_.append = placement_->checkedId() == 1;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    sheetBox_->setCurrentIndex(choice_.sheet);
    connect(sheetBox_, &QComboBox::currentIndexChanged, this, &frmImport::sheetChanged);
    connect(notationBox_, &QComboBox::currentIndexChanged, this, &frmImport::notationChanged);
    showChoice();
    readAgain();
}

const ImportTable& frmImport::table() const {
    return source_.tables[size_t(choice_.sheet)];
}

void frmImport::sheetChanged(int sheet) {
    if (sheet < 0 || sheet >= int(source_.tables.size()))
        return;
    // Another sheet has columns of its own; the notation the user chose stays.
    const Kind notation = choice_.mapping.notation;
    choice_.sheet = sheet;
    choice_.mapping = ImportColumns::Detect(table());
    if (notation != Kind::Auto)
        choice_.mapping.notation = notation;
    showChoice();
    readAgain();
}

void frmImport::columnsChanged() {
    if (updating_)
        return;
    choice_.mapping.columns.clear();
    for (QComboBox* box : columnBoxes_)
        if (const int column = box->currentData().toInt(); column >= 0)
            choice_.mapping.columns.push_back(column);
    readAgain();
}

void frmImport::notationChanged() {
    if (updating_)
        return;
    choice_.mapping.notation = Kind(notationBox_->currentData().toInt());
    readAgain();
}

void frmImport::showChoice() {
    updating_ = true;
    const ImportColumns::Mapping& m = choice_.mapping;
    notationBox_->setCurrentIndex(notationBox_->findData(int(m.notation)));
    for (size_t i = 0; i < columnBoxes_.size(); ++i) {
        QComboBox* box = columnBoxes_[i];
        box->clear();
        box->addItem(QStringLiteral("（なし）"), -1);
        for (int c = 0; c < table().columnCount(); ++c)
            box->addItem(
                QStringLiteral("%1: %2").arg(c + 1).arg(ImportColumns::ColumnName(table(), m, c)),
                c);
        box->setCurrentIndex(i < m.columns.size() ? box->findData(m.columns[i]) : 0);
    }
    updating_ = false;
}

void frmImport::readAgain() {
    {
        Hourglass hourglass;
        outcome_ = MeasurementImport::Read(table(), choice_.mapping);
    }
    const ImportColumns::Mapping& m = choice_.mapping;
    notationBox_->setEnabled(m.columns.size() != 4);
    switch (m.columns.size()) {
    case 1:
        columnsNote_->setText(QStringLiteral("1つの列を表記のとおりに読みます。"));
        break;
    case 2:
        columnsNote_->setText(
            QStringLiteral("2つの列を続けて読みます（方位と傾斜、または N30E と 45SE）。"));
        break;
    case 4:
        columnsNote_->setText(QStringLiteral(
            "ｸﾞﾘｯﾄﾞの4列（走向の角度・方位、傾斜の角度・方位）として、ｸﾞﾘｯﾄﾞと同じに読みます。"));
        break;
    default:
        columnsNote_->setText(QStringLiteral("列は1つ、2つまたは4つ選んでください。"));
        break;
    }

    const int read = int(outcome_.rows.size());
    const int refused = int(outcome_.refused.size());
    counts_->setText(QStringLiteral("読み込む行: %1（うち角度を丸めた行: %2）　取り込めない行: %3")
                         .arg(read)
                         .arg(outcome_.rounded)
                         .arg(refused));
    refused_->clear();
    QStringList lines;
    for (int k = 0; k < refused && k < kListedRefusals; ++k)
        lines << MeasurementImport::RefusalLine(table(), m, outcome_.refused[size_t(k)]);
    if (refused > kListedRefusals)
        lines << QStringLiteral("ほか %1 行").arg(refused - kListedRefusals);
    refused_->addItems(lines);
    refused_->setVisible(refused > 0);
    accept_->setEnabled(read > 0);
    showRows();
}

void frmImport::showRows() {
    const ImportTable& t = table();
    const ImportColumns::Mapping& m = choice_.mapping;
    std::vector<int> shown;
    for (int r = m.headerRow + 1; r < t.rowCount() && int(shown.size()) < kPreviewRows; ++r)
        shown.push_back(r);
    std::set<int> refused;
    for (const auto& r : outcome_.refused) {
        if (!shown.empty() && r.row > shown.back())
            break;
        refused.insert(r.row);
    }
    const std::set<int> chosen(m.columns.begin(), m.columns.end());

    rows_->clear();
    rows_->setColumnCount(t.columnCount());
    rows_->setRowCount(int(shown.size()));
    QStringList names;
    for (int c = 0; c < t.columnCount(); ++c)
        names << ImportColumns::ColumnName(t, m, c);
    rows_->setHorizontalHeaderLabels(names);
    QStringList lines;
    for (size_t k = 0; k < shown.size(); ++k) {
        const int r = shown[k];
        lines << QString::number(t.line(r));
        for (int c = 0; c < t.columnCount(); ++c) {
            auto* item = new QTableWidgetItem(t.cell(r, c).toString());
            if (chosen.count(c))
                item->setBackground(kChosenColumn);
            if (refused.count(r))
                item->setForeground(kRefusedText);
            rows_->setItem(int(k), c, item);
        }
    }
    rows_->setVerticalHeaderLabels(lines);
    rows_->resizeColumnsToContents();
}
