// Registers the data-file type with the desktop (freedesktop shared-mime-info and a desktop
// entry under the user's data folder), so that opening a ".QST" file starts the program on it.
#pragma once

#include <QString>

class FileAssociation {
  public:
    // `dataDir` is the XDG data home (~/.local/share when empty); `programPath` the executable.
    FileAssociation(QString programPath, QString dataDir = QString());

    // Both the file type and the desktop entry exist.
    bool IsRegistered() const;
    // Writes the entries (and the icon when one is given as PNG bytes), then asks the desktop's
    // databases to refresh when their tools exist. True when the desktop entry was written.
    bool Register(const QByteArray& iconPng = QByteArray()) const;

    QString MimeFilePath() const;
    QString DesktopFilePath() const;
    QString IconFilePath() const;
    // The desktop entry's Exec line: the program path (quoted when it needs to be) and %f.
    QString ExecLine() const;

    // Whether Register runs update-mime-database, update-desktop-database and xdg-mime.
    void SetRunTools(bool run) { runTools_ = run; }

    static constexpr const char* kMimeType = "application/x-quill-stereo";
    static constexpr const char* kDesktopName = "quill-stereo.desktop";

  private:
    QString programPath_;
    QString dataDir_;
    bool runTools_ = true;
};
