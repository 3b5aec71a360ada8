// Private-profile ("ini") files: bracketed sections and key=value lines in CP932 with CR LF.
#pragma once

#include <QString>

class ProfileFile {
  public:
    // `path` is where the file belongs (the program directory). When that folder cannot be
    // written, the file of the same name under `fallbackDir` is used instead, for reading and
    // writing; an empty `fallbackDir` means the user's configuration folder.
    explicit ProfileFile(QString path, QString fallbackDir = QString());

    // The value of `key` in `section` (both found ignoring letter case), cut at 254 bytes; the
    // default when the file, section or key is missing or the value is empty.
    QString read(const QString& section, const QString& key, const QString& defaultValue) const;
    // Sets the value, creating the file, section or key as needed; every other line is kept
    // byte for byte. False when the file cannot be written.
    bool write(const QString& section, const QString& key, const QString& value) const;

    // The file that reads currently come from.
    QString effectivePath() const;

  private:
    QString redirectedPath() const;
    bool programLocationWritable() const;

    QString path_;
    QString fallbackDir_;
};
