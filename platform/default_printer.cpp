#include "platform/default_printer.h"

#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>

namespace DefaultPrinter {

bool Available() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QString Name() {
    return QPrinterInfo::defaultPrinterName();
}

bool SetName(const QString& name) {
    const QString lpoptions = QStandardPaths::findExecutable(QStringLiteral("lpoptions"));
    if (lpoptions.isEmpty() || name.isEmpty())
        return false;
    QProcess process;
    process.start(lpoptions, {QStringLiteral("-d"), name});
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace DefaultPrinter
