// The one seam through which the program shows message boxes, input boxes and the common
// dialogs, and hands documents and addresses to the desktop. Tests install a scripted
// implementation that checks every text and answers from a queue.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

struct ImportChoice;
struct ImportPreviewRequest;

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgResult { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct FileDialogRequest {
    QString title;
    QString initialName;
    // The folder the dialog starts in when the initial name names none; empty for the
    // desktop's choice.
    QString folder;
    // Filter in the original "description|pattern|..." form, e.g. "ﾃﾞｰﾀ(*.QST)|*.QST|".
    QString filter;
    QString defaultExtension; // without the dot
    bool fileMustExist = false;
    bool overwritePrompt = false;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // A modal message box; `defaultButton` is 1-based among the buttons.
    virtual MsgResult message(const QString& text, MsgButtons buttons, MsgIcon icon,
                              const QString& title, int defaultButton = 1) = 0;
    // The text typed, or nothing when the user cancelled.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
    // A colour as 0x00BBGGRR, or nothing when cancelled.
    virtual std::optional<uint32_t> color(uint32_t initial) = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    // Printer set-up: the chosen printer's name, or nothing when cancelled.
    virtual std::optional<QString> printerSetup(const QString& currentPrinter) = 0;
    // Opens a local file or a web address with the desktop's handler.
    virtual bool openExternal(const QString& pathOrUrl) = 0;
    // The preview of a file of measurements before they are imported; false when the user
    // cancelled (`choice` then means nothing). Without windows nothing can be chosen.
    virtual bool importPreview(const ImportPreviewRequest& request, ImportChoice& choice) {
        (void)request;
        (void)choice;
        return false;
    }
};

// Convenience for the common OK message.
inline void Notify(Dialogs& dialogs, const QString& text, MsgIcon icon, const QString& title) {
    dialogs.message(text, MsgButtons::OK, icon, title);
}
