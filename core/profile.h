// Private-profile ("ini") files: bracketed sections and key=value lines in CP932 with CR LF.
#pragma once

#include <QString>

class ProfileFile {
  public:
    explicit ProfileFile(QString path);

    // The value of `key` in `section` (both found ignoring letter case), cut at 254 bytes; the
    // default when the file, section or key is missing or the value is empty.
    QString read(const QString& section, const QString& key, const QString& defaultValue) const;
    // Sets the value, creating the folder, file, section or key as needed; every other line is
    // kept byte for byte. False when the file cannot be written.
    bool write(const QString& section, const QString& key, const QString& value) const;

    // Where the settings file that belongs at `path` (the program folder) is kept: `path` itself
    // when it can be written there, else the file of the same name under `fallbackDir` (the
    // user's configuration folder when empty). That file starts as a copy of the one at `path`,
    // so no setting is lost; when it cannot be made, `path` is still read.
    static QString Resolve(const QString& path, const QString& fallbackDir = QString());

  private:
    QString path_;
};
