#include "scripted_dialogs.h"

#include "core/import_preview.h"

#include <gtest/gtest.h>

namespace {

const char* kindName(ScriptedDialogs::Kind k) {
    switch (k) {
    case ScriptedDialogs::Kind::Message:
        return "message box";
    case ScriptedDialogs::Kind::Input:
        return "input box";
    case ScriptedDialogs::Kind::Color:
        return "colour dialog";
    case ScriptedDialogs::Kind::OpenFile:
        return "open dialog";
    case ScriptedDialogs::Kind::SaveFile:
        return "save dialog";
    case ScriptedDialogs::Kind::PrinterSetup:
        return "printer set-up";
    case ScriptedDialogs::Kind::OpenExternal:
        return "external open";
    case ScriptedDialogs::Kind::ImportPreview:
        return "import preview";
    }
    return "?";
}

} // namespace

ScriptedDialogs::~ScriptedDialogs() {
    for (const Step& s : script_)
        ADD_FAILURE() << "expected " << kindName(s.expected.kind)
                      << " was never shown: " << s.expected.text.toStdString();
}

ScriptedDialogs& ScriptedDialogs::expectMessage(const QString& text, MsgButtons buttons,
                                                MsgIcon icon, const QString& title,
                                                MsgResult answer) {
    Step s;
    s.expected.kind = Kind::Message;
    s.expected.text = text;
    s.expected.buttons = buttons;
    s.expected.icon = icon;
    s.expected.title = title;
    s.messageAnswer = answer;
    script_.push_back(s);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectInput(const QString& prompt, const QString& title,
                                              const QString& defaultText,
                                              std::optional<QString> answer) {
    Step s;
    s.expected.kind = Kind::Input;
    s.expected.text = prompt;
    s.expected.title = title;
    s.expected.defaultText = defaultText;
    s.textAnswer = std::move(answer);
    script_.push_back(s);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectColor(std::optional<uint32_t> answer) {
    Step s;
    s.expected.kind = Kind::Color;
    s.checkTexts = false;
    s.colorAnswer = answer;
    script_.push_back(s);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectOpenFile(std::optional<QString> answer) {
    Step s;
    s.expected.kind = Kind::OpenFile;
    s.checkTexts = false;
    s.textAnswer = std::move(answer);
    script_.push_back(s);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectSaveFile(std::optional<QString> answer) {
    Step s;
    s.expected.kind = Kind::SaveFile;
    s.checkTexts = false;
    s.textAnswer = std::move(answer);
    script_.push_back(s);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectPrinterSetup(std::optional<QString> answer) {
    Step s;
    s.expected.kind = Kind::PrinterSetup;
    s.checkTexts = false;
    s.textAnswer = std::move(answer);
    script_.push_back(s);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectOpenExternal(const QString& target, bool answer) {
    Step s;
    s.expected.kind = Kind::OpenExternal;
    s.expected.text = target;
    s.boolAnswer = answer;
    script_.push_back(s);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectImportPreview(const QString& fileName,
                                                      ImportAnswer answer) {
    Step s;
    s.expected.kind = Kind::ImportPreview;
    s.expected.text = fileName;
    s.importAnswer = std::move(answer);
    script_.push_back(s);
    return *this;
}

QStringList ScriptedDialogs::messages() const {
    QStringList out;
    for (const Asked& a : asked_)
        if (a.kind == Kind::Message)
            out << a.text;
    return out;
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::next(const Asked& asked) {
    asked_.push_back(asked);
    if (script_.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(asked.kind) << ": \"" << asked.text.toStdString()
                      << "\" titled \"" << asked.title.toStdString() << "\"";
        return std::nullopt;
    }
    Step s = script_.front();
    script_.pop_front();
    if (s.expected.kind != asked.kind) {
        ADD_FAILURE() << "expected " << kindName(s.expected.kind) << " but got "
                      << kindName(asked.kind) << ": " << asked.text.toStdString();
        return std::nullopt;
    }
    if (s.checkTexts) {
        EXPECT_EQ(asked.text.toStdString(), s.expected.text.toStdString());
        EXPECT_EQ(asked.title.toStdString(), s.expected.title.toStdString());
        if (asked.kind == Kind::Message) {
            EXPECT_EQ(static_cast<int>(asked.buttons), static_cast<int>(s.expected.buttons))
                << "buttons of " << asked.text.toStdString();
            EXPECT_EQ(static_cast<int>(asked.icon), static_cast<int>(s.expected.icon))
                << "icon of " << asked.text.toStdString();
        }
        if (asked.kind == Kind::Input) {
            EXPECT_EQ(asked.defaultText.toStdString(), s.expected.defaultText.toStdString());
        }
    }
    return s;
}

MsgResult ScriptedDialogs::message(const QString& text, MsgButtons buttons, MsgIcon icon,
                                   const QString& title, int) {
    Asked a{Kind::Message, text, title, buttons, icon, {}, 0, {}};
    const auto s = next(a);
    return s ? s->messageAnswer : MsgResult::Cancel;
}

std::optional<QString> ScriptedDialogs::input(const QString& prompt, const QString& title,
                                              const QString& defaultText) {
    Asked a{Kind::Input, prompt, title, MsgButtons::OKCancel, MsgIcon::None, defaultText, 0, {}};
    const auto s = next(a);
    return s ? s->textAnswer : std::nullopt;
}

std::optional<uint32_t> ScriptedDialogs::color(uint32_t initial) {
    Asked a{Kind::Color, {}, {}, MsgButtons::OKCancel, MsgIcon::None, {}, initial, {}};
    const auto s = next(a);
    return s ? s->colorAnswer : std::nullopt;
}

std::optional<QString> ScriptedDialogs::openFile(const FileDialogRequest& request) {
    Asked a{Kind::OpenFile, {}, request.title, MsgButtons::OKCancel, MsgIcon::None, {}, 0, request};
    const auto s = next(a);
    return s ? s->textAnswer : std::nullopt;
}

std::optional<QString> ScriptedDialogs::saveFile(const FileDialogRequest& request) {
    Asked a{Kind::SaveFile, {}, request.title, MsgButtons::OKCancel, MsgIcon::None, {}, 0, request};
    const auto s = next(a);
    return s ? s->textAnswer : std::nullopt;
}

std::optional<QString> ScriptedDialogs::printerSetup(const QString& currentPrinter) {
    Asked a{Kind::PrinterSetup, currentPrinter, {}, MsgButtons::OKCancel, MsgIcon::None, {}, 0, {}};
    const auto s = next(a);
    return s ? s->textAnswer : std::nullopt;
}

bool ScriptedDialogs::openExternal(const QString& pathOrUrl) {
    Asked a{Kind::OpenExternal, pathOrUrl, {}, MsgButtons::OK, MsgIcon::None, {}, 0, {}};
    const auto s = next(a);
    return s ? s->boolAnswer : false;
}

bool ScriptedDialogs::importPreview(const ImportPreviewRequest& request, ImportChoice& choice) {
    Asked a{
        Kind::ImportPreview, request.fileName, {}, MsgButtons::OKCancel, MsgIcon::None, {}, 0, {}};
    const auto s = next(a);
    return s && s->importAnswer && s->importAnswer(request, choice);
}
