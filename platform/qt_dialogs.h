// The dialogs of the desktop, as Qt shows them. The program's own dialogs (windows/) are added
// by a class built on this one.
#pragma once

#include "core/dialogs.h"

class QWidget;

class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    // The window the dialogs belong to.
    QWidget* parentWidget() const { return parent_; }

    MsgResult message(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                      int defaultButton) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    std::optional<uint32_t> color(uint32_t initial) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<QString> printerSetup(const QString& currentPrinter) override;
    bool openExternal(const QString& pathOrUrl) override;

    // Converts "desc|*.QST|desc2|*.a;*.b|" to Qt's "desc (*.[Qq][Ss][Tt]);;...", so that file
    // names match whatever their letter case.
    static QString qtFilter(const QString& filter);

  private:
    QWidget* parent_;
};
