// Entry routine: fixes the program directory, reads the global settings and shows the windows.
#include "app/bmmain.h"
#include "diagrams/net_drawing.h"
#include "diagrams/picture_box.h"
#include "platform/desktop.h"

#include <QApplication>
#include <QDir>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "qstereo: no display is available (DISPLAY is not set). "
                             "Run it on a desktop, or under xvfb-run.\n");
        return 2;
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("QStereo"));
    desktop::InstallFontSubstitutions();
    desktop::InstallJapaneseTranslation(app);

    BMMain::SetAppPath(QCoreApplication::applicationDirPath());
    QDir::setCurrent(BMMain::AppPath);
    BMMain::LoadGlobalSettings();

    // Until the main window exists: the Schmidt net with its grid in a plain window, on a
    // picture of the diagram windows' size (200 mm by 150 mm).
    QWidget window;
    window.setWindowTitle(QStringLiteral("QUILL Stereo ｽﾃﾚｵ投影ｼｽﾃﾑ"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* picture = new PictureBox(&window);
    const double pixelsPerMm = 1440.0 / desktop::TwipsPerPixelX() / 25.4;
    const QSize size(int(200 * pixelsPerMm + 0.5), int(150 * pixelsPerMm + 0.5));
    picture->setFixedSize(size);
    picture->SetPictureSize(size);
    layout->addWidget(picture);

    DrawingSurface& surface = picture->Surface();
    surface.Cls();
    const float penFactor = NetDrawing::ScaleForNet(surface, false);
    NetDrawing::DrawNetFrame(surface, penFactor, true);
    surface.Refresh();

    window.show();
    return app.exec();
}
