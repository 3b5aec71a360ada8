// The import preview: the first rows of a file of measurements, the columns and notation they
// are read with (the user may change both, and a workbook's sheet), what that reads - the rows
// read, rounded and refused, each refused line with its number and reason - and whether the
// rows replace the document's or follow its last measurement. Cancel changes nothing.
#pragma once

#include "core/import_preview.h"
#include "core/measurement_import.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

class frmImport : public QDialog {
    Q_OBJECT
  public:
    explicit frmImport(const ImportPreviewRequest& request, QWidget* parent = nullptr);

    // What the user chose; meaningful after the dialog was accepted.
    ImportChoice Choice() const { return choice_; }
    // What the choice reads, moved out (the dialog keeps it read for every change of choice).
    MeasurementImport::Outcome TakeOutcome() { return std::move(outcome_); }

    // Rows shown of the file.
    static constexpr int kPreviewRows = 20;
    // Refused lines listed; the rest are counted.
    static constexpr int kListedRefusals = 1000;

  private:
    const ImportTable& table() const;
    void sheetChanged(int sheet);
    void columnsChanged();
    void notationChanged();
    // Puts the choice into the combo boxes.
    void showChoice();
    // Reads the table with the current choice and shows what that gives.
    void readAgain();
    void showRows();

    const ImportFile::Source& source_;
    ImportChoice choice_;
    // What choice_ reads: read again on every change of it, so always current.
    MeasurementImport::Outcome outcome_;
    bool updating_ = false;

    QComboBox* sheetBox_ = nullptr;
    QComboBox* notationBox_ = nullptr;
    std::array<QComboBox*, 4> columnBoxes_{};
    QLabel* columnsNote_ = nullptr;
    QTableWidget* rows_ = nullptr;
    QLabel* counts_ = nullptr;
    QListWidget* refused_ = nullptr;
    QButtonGroup* placement_ = nullptr;
    QPushButton* accept_ = nullptr;
};
