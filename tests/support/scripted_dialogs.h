// Dialogs answered from a script: each expected dialog is checked against what the program
// asks (kind, text, title, buttons, icon) and answered with the queued value.
#pragma once

#include "core/dialogs.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class ScriptedDialogs final : public Dialogs {
  public:
    enum class Kind {
        Message,
        Input,
        Color,
        OpenFile,
        SaveFile,
        PrinterSetup,
        OpenExternal,
        ImportPreview
    };
    // Answers the import preview as a user would: looks at what it shows, sets the choice and
    // returns false for Cancel.
    using ImportAnswer = std::function<bool(const ImportPreviewRequest&, ImportChoice&)>;

    // What the program asked for, in order.
    struct Asked {
        Kind kind;
        QString text; // message text, input prompt, external target
        QString title;
        MsgButtons buttons = MsgButtons::OK;
        MsgIcon icon = MsgIcon::None;
        QString defaultText;
        uint32_t initialColor = 0;
        FileDialogRequest file;
    };

    ~ScriptedDialogs() override;

    ScriptedDialogs& expectMessage(const QString& text, MsgButtons buttons, MsgIcon icon,
                                   const QString& title, MsgResult answer = MsgResult::OK);
    ScriptedDialogs& expectInput(const QString& prompt, const QString& title,
                                 const QString& defaultText, std::optional<QString> answer);
    ScriptedDialogs& expectColor(std::optional<uint32_t> answer);
    ScriptedDialogs& expectOpenFile(std::optional<QString> answer);
    ScriptedDialogs& expectSaveFile(std::optional<QString> answer);
    ScriptedDialogs& expectPrinterSetup(std::optional<QString> answer);
    ScriptedDialogs& expectOpenExternal(const QString& target, bool answer = true);
    // The preview of the file named `fileName` (no folder).
    ScriptedDialogs& expectImportPreview(const QString& fileName, ImportAnswer answer);

    // True when every expected dialog has been asked; fails the test otherwise when `check`.
    bool allAnswered() const { return script_.empty(); }
    const std::vector<Asked>& asked() const { return asked_; }
    // Texts of all message boxes shown so far.
    QStringList messages() const;

    MsgResult message(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                      int defaultButton) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    std::optional<uint32_t> color(uint32_t initial) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<QString> printerSetup(const QString& currentPrinter) override;
    bool openExternal(const QString& pathOrUrl) override;
    bool importPreview(const ImportPreviewRequest& request, ImportChoice& choice) override;

  private:
    struct Step {
        Asked expected;
        bool checkTexts = true;
        MsgResult messageAnswer = MsgResult::OK;
        std::optional<QString> textAnswer;
        std::optional<uint32_t> colorAnswer;
        bool boolAnswer = true;
        ImportAnswer importAnswer;
    };
    // The next step, checked to be of `kind`; nothing when the script has none.
    std::optional<Step> next(const Asked& asked);

    std::deque<Step> script_;
    std::vector<Asked> asked_;
};
