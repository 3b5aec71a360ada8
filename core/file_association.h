// Registers the data-file type with the desktop (freedesktop shared-mime-info and a desktop
// entry under the user's data folder), so that opening a ".QST" file starts the program on it.
// The entries are the ones the install places system-wide, so a user-level pair is only needed
// when the program runs from a folder of its own.
#pragma once

#include <QString>
#include <QStringList>

class FileAssociation {
  public:
    // `dataDir` is the user's data folder and `systemDataDirs` the folders the desktop reads
    // installed entries from. With `dataDir` empty both come from the XDG environment
    // (~/.local/share, then $XDG_DATA_DIRS).
    FileAssociation(QString programPath, QString dataDir = QString(),
                    QStringList systemDataDirs = QStringList());

    // The file type and the desktop entry both exist, for this user or installed system-wide.
    bool IsRegistered() const;
    // The system-wide folder that holds both installed entries, or empty.
    QString InstalledDataDir() const;
    // Writes the entries (and the icon when one is given as PNG bytes), then asks the desktop's
    // databases to refresh when their tools exist. True when the desktop entry was written, or
    // when the installed entries already serve: then nothing is written.
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
    static constexpr const char* kMimeName = "quill-stereo.xml";

  private:
    QString programPath_;
    QString dataDir_;
    QStringList systemDataDirs_;
    bool runTools_ = true;
};
