// The statistics window "統計": the orientation statistics of the last density run, one row
// per value with its name, and a button that copies the table as tab-separated text. A child
// window like the legend, opened from the draw menu; closing it only hides it.
#pragma once

#include "core/statistics_texts.h"

#include <QWidget>
#include <vector>

class MdiActivation;
class QPushButton;
class QTableWidget;

class frmStatistics : public QWidget {
    Q_OBJECT
  public:
    explicit frmStatistics(QWidget* parent = nullptr);
    ~frmStatistics() override;

    // Shows these rows in place of the last ones.
    void SetRows(const std::vector<StatisticsTexts::Row>& rows);
    const std::vector<StatisticsTexts::Row>& Rows() const { return rows_; }
    // Puts the rows on the clipboard as text: item TAB value, CR LF after each row.
    void CopyToClipboard() const;

    QSize sizeHint() const override;

  Q_SIGNALS:
    // The window became, or stopped being, the active child window.
    void Activate();
    void Deactivate();

  private:
    MdiActivation* activation_;
    QTableWidget* table_;
    QPushButton* copy_;
    std::vector<StatisticsTexts::Row> rows_;
};
