#include "platform/desktop.h"

#include "core/bmmain.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

namespace desktop {

void InstallFontSubstitutions() {
    const QStringList mincho{QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP")};
    const QStringList pmincho{QStringLiteral("IPAPMincho"), QStringLiteral("Noto Serif CJK JP")};
    const QStringList gothic{QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")};
    const QStringList pgothic{QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), mincho);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"), pmincho);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), pgothic);
    QFont::insertSubstitutions(QStringLiteral("Impact"), {QStringLiteral("DejaVu Sans Condensed"),
                                                          QStringLiteral("IPAPGothic")});
}

void InstallJapaneseTranslation(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

bool OpenExternal(const QString& pathOrUrl) {
    const bool isAddress = pathOrUrl.contains(QStringLiteral("://"));
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        // Qt looks for a browser of its own; false when it finds none.
        return QDesktopServices::openUrl(isAddress ? QUrl(pathOrUrl)
                                                   : QUrl::fromLocalFile(pathOrUrl));
    }
    // xdg-open answers "no handler" or "failed" by its exit code, which Qt's own call does not
    // pass on. A handler that keeps it waiting (a viewer started in the foreground) has started.
    constexpr int kWaitMs = 3000;
    Hourglass hourglass;
    auto* process = new QProcess(QCoreApplication::instance());
    process->setWorkingDirectory(BMMain::AppPath);
    // Its complaints are for a terminal the user does not see; the exit code is what counts.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(opener, {pathOrUrl});
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    if (!process->waitForFinished(kWaitMs)) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return true;
    }
    const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    return opened;
}

static double dpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 96.0;
    const double d = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return d > 0 ? d : 96.0;
}

double TwipsPerPixelX() {
    return 1440.0 / dpi(true);
}
double TwipsPerPixelY() {
    return 1440.0 / dpi(false);
}

} // namespace desktop

Hourglass::Hourglass() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}
Hourglass::~Hourglass() {
    QApplication::restoreOverrideCursor();
}
