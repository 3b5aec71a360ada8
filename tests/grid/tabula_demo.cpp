// Shows the grid as the main window sets it up, with a few typed rows and an open in-cell
// editor, and saves a picture of it (argument 1) before quitting.
#include "tabula.h"
#include "windows/bmcontour.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

static void Type(const QString& text) {
    for (QChar ch : text) {
        QWidget* target = QApplication::focusWidget();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &press);
    }
}

static void Enter() {
    QWidget* target = QApplication::focusWidget();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(target, &press);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tabula.png");
    Tabula grid;
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(10);
    grid.SetFont(font);
    BMContour::InitDataGrid(grid);
    grid.resize(330, 360);
    grid.show();
    grid.activateWindow();
    QTimer::singleShot(300, [&] {
        grid.setFocus();
        const char* rows[][4] = {
            {"30", "E", "45", "SE"}, {"125", "W", "60", "NE"}, {"12", "E", "80", "SE"}};
        for (auto& row : rows) {
            for (const char* cell : row) {
                grid.SetNumeralOnly(grid.Col() == 1 || grid.Col() == 3);
                Type(QString::fromLatin1(cell));
                Enter();
            }
        }
        grid.SetNumeralOnly(true);
        Type(QStringLiteral("7"));
    });
    // With "-" as the file, the window just stays a few seconds for an outside screenshot.
    QTimer::singleShot(out == QLatin1String("-") ? 5000 : 900, [&] {
        if (out != QLatin1String("-"))
            grid.window()->grab().save(out);
        app.quit();
    });
    return app.exec();
}
