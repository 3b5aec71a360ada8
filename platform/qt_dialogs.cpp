#include "platform/qt_dialogs.h"

#include "platform/desktop.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <vector>

namespace {

struct ButtonSpec {
    QMessageBox::StandardButton qt;
    MsgResult result;
};

std::vector<ButtonSpec> buttonsOf(MsgButtons b) {
    using SB = QMessageBox::StandardButton;
    switch (b) {
    case MsgButtons::OK:
        return {{SB::Ok, MsgResult::OK}};
    case MsgButtons::OKCancel:
        return {{SB::Ok, MsgResult::OK}, {SB::Cancel, MsgResult::Cancel}};
    case MsgButtons::AbortRetryIgnore:
        return {{SB::Abort, MsgResult::Abort},
                {SB::Retry, MsgResult::Retry},
                {SB::Ignore, MsgResult::Ignore}};
    case MsgButtons::YesNoCancel:
        return {
            {SB::Yes, MsgResult::Yes}, {SB::No, MsgResult::No}, {SB::Cancel, MsgResult::Cancel}};
    case MsgButtons::YesNo:
        return {{SB::Yes, MsgResult::Yes}, {SB::No, MsgResult::No}};
    case MsgButtons::RetryCancel:
        return {{SB::Retry, MsgResult::Retry}, {SB::Cancel, MsgResult::Cancel}};
    }
    return {{SB::Ok, MsgResult::OK}};
}

QMessageBox::Icon iconOf(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QColor toQColor(uint32_t vb) {
    return QColor(vb & 0xFF, (vb >> 8) & 0xFF, (vb >> 16) & 0xFF);
}
uint32_t fromQColor(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogRequest& r, bool save) {
    QFileDialog dialog(parent, r.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(r.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(QtDialogs::qtFilter(r.filter));
    // The type list shows the description alone, not the letter-case pattern after it.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDefaultSuffix(r.defaultExtension);
    if (!r.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!r.folder.isEmpty())
        dialog.setDirectory(r.folder);
    if (!r.initialName.isEmpty()) {
        const QFileInfo info(r.initialName);
        if (info.isAbsolute())
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace

QString QtDialogs::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            continue;
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            // "*.QST" -> "*.[Qq][Ss][Tt]": names match whatever their letter case.
            QString pattern;
            for (const QChar c : p)
                pattern += c.isLetter() && c.toLower() != c.toUpper()
                               ? u'[' + QString(c.toUpper()) + QString(c.toLower()) + u']'
                               : QString(c);
            patterns << pattern;
        }
        QString description = parts[i];
        description.replace(u'(', u'[').replace(u')', u']');
        out << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return out.join(QStringLiteral(";;"));
}

MsgResult QtDialogs::message(const QString& text, MsgButtons buttons, MsgIcon icon,
                             const QString& title, int defaultButton) {
    QMessageBox box(iconOf(icon), title, text, QMessageBox::NoButton, parent_);
    // Messages may quote file names and cell texts: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    const auto specs = buttonsOf(buttons);
    for (const ButtonSpec& s : specs)
        box.addButton(s.qt);
    if (defaultButton >= 1 && defaultButton <= static_cast<int>(specs.size()))
        box.setDefaultButton(specs[defaultButton - 1].qt);
    box.exec();
    const auto chosen = box.standardButton(box.clickedButton());
    for (const ButtonSpec& s : specs)
        if (s.qt == chosen)
            return s.result;
    // Closed with Escape or the title bar: Cancel where there is one, else the last button.
    for (const ButtonSpec& s : specs)
        if (s.result == MsgResult::Cancel)
            return MsgResult::Cancel;
    return specs.back().result;
}

std::optional<QString> QtDialogs::input(const QString& prompt, const QString& title,
                                        const QString& defaultText) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("ｷｬﾝｾﾙ"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<uint32_t> QtDialogs::color(uint32_t initial) {
    const QColor c = QColorDialog::getColor(toQColor(initial), parent_);
    if (!c.isValid())
        return std::nullopt;
    return fromQColor(c);
}

std::optional<QString> QtDialogs::openFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, false);
}

std::optional<QString> QtDialogs::saveFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, true);
}

std::optional<QString> QtDialogs::printerSetup(const QString& currentPrinter) {
    QPrinter printer(QPrinterInfo::printerInfo(currentPrinter));
    QPrintDialog dialog(&printer, parent_);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    // It chooses the printer and prints nothing: its button says so.
    dialog.setWindowTitle(QStringLiteral("ﾌﾟﾘﾝﾀの設定"));
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return printer.printerName();
}

bool QtDialogs::openExternal(const QString& pathOrUrl) {
    return desktop::OpenExternal(pathOrUrl);
}
