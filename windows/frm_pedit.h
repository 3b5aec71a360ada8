// The list dialog "極大点の削除": the maximum points of one diagram, several of which can be
// chosen and deleted at once.
#pragma once

#include "core/keyed_collection.h"

#include <QDialog>

class Pole;
class QLabel;
class QPushButton;
class QTreeWidget;

class frmPEdit : public QDialog {
    Q_OBJECT
  public:
    explicit frmPEdit(QWidget* parent = nullptr);

    // The diagram's markers: the dialog deletes from this collection itself. One row per
    // marker in collection order, keyed "PL_" + number, showing its label's caption.
    void setPoles(KeyedCollection<Pole>& poles);
    bool OnContour() const { return onContour_; }
    void setOnContour(bool value) { onContour_ = value; }

    QTreeWidget& lvPole() const { return *list_; }
    // 0 "削除(&D)", 1 "ｷｬﾝｾﾙ(&C)".
    QPushButton& cmdPE(int index) const { return *buttons_[index == 0 ? 0 : 1]; }
    QLabel& lblPE() const { return *prompt_; }

  Q_SIGNALS:
    // Raised after the delete button removed the chosen markers (also when none was chosen).
    void Remove();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void deleteChosen();

    QTreeWidget* list_ = nullptr;
    QPushButton* buttons_[2] = {};
    QLabel* prompt_ = nullptr;
    KeyedCollection<Pole>* poles_ = nullptr;
    bool onContour_ = false;
};
