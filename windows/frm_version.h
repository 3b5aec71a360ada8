// The version window: program name, version, contact, web address and the association of the
// data-file type with the desktop.
#pragma once

#include <QDialog>

class Dialogs;
class FileAssociation;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmVersion : public QDialog {
    Q_OBJECT
  public:
    frmVersion(Dialogs& dialogs, const FileAssociation& association, QWidget* parent = nullptr);

    QLabel* lblVer() const { return lblVer_; }
    QPlainTextEdit* txtVersion0() const { return txtVersion0_; }
    QLabel* txtVersion1() const { return txtVersion1_; }
    QPushButton* cmdVer(int index) const { return cmdVer_[index == 0 ? 0 : 1]; }

    // The association button's action.
    void cmdVer_Click(int index);
    // The web-address click.
    void txtVersion_Click();

    static const QString& WebAddress();

  private:
    Dialogs& dialogs_;
    const FileAssociation& association_;
    QLabel* lblVer_ = nullptr;
    QPlainTextEdit* txtVersion0_ = nullptr;
    QLabel* txtVersion1_ = nullptr;
    QPushButton* cmdVer_[2] = {};
};
