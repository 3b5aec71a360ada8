// The dialogs of a run without windows (the batch export): every message goes to standard
// error, one line per line of the text; nothing can be asked, so questions get their last
// button (No, Cancel) and input and file requests are cancelled.
#pragma once

#include "core/dialogs.h"

#include <cstdio>

class ConsoleDialogs final : public Dialogs {
  public:
    explicit ConsoleDialogs(std::FILE* stream = stderr) : stream_(stream) {}

    MsgResult message(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                      int defaultButton) override;
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<uint32_t> color(uint32_t) override { return std::nullopt; }
    std::optional<QString> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> printerSetup(const QString&) override { return std::nullopt; }
    bool openExternal(const QString&) override { return false; }

    // Writes "qstereo: " and the text, its CR LF breaks as line ends.
    void print(const QString& text) const;

  private:
    std::FILE* stream_;
};
