#include "core/safe_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool fails(const SaveFault& fault, SaveStep step) {
    return fault && fault(step);
}

// A new hidden file in `folder`, created with the usual permissions; -1 when none can be made.
int createTemporary(const QString& folder, const QString& name, QByteArray& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate =
            folder + QStringLiteral("/.") + name +
            QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 16,
                                          QChar(u'0'));
        path = QFile::encodeName(candidate);
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        left -= n;
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced is no failure of the save.
void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

SaveOutcome ReplaceFileContents(const QString& target, const QByteArray& bytes,
                                const SaveFault& fault) {
    if (target.isEmpty())
        return SaveOutcome::WriteFailed;
    QFileInfo info(target);
    // Save through a link into the file it names, so the link stays.
    for (int hops = 0; hops < 40 && info.isSymLink(); ++hops)
        info = QFileInfo(info.symLinkTarget());
    const QString folder = info.absolutePath();

    QByteArray tempPath;
    const int fd = fails(fault, SaveStep::Create)
                       ? -1
                       : createTemporary(folder, info.fileName().left(100), tempPath);
    if (fd < 0)
        return SaveOutcome::WriteFailed;

    bool written = false;
    if (fails(fault, SaveStep::Write))
        writeAll(fd, bytes.left(bytes.size() / 2)); // half written, as on a full disk
    else
        written = writeAll(fd, bytes);
    // The old file was read-only or not: the new one is an ordinary file of the same kind.
    struct stat old {};
    if (written && ::stat(QFile::encodeName(info.absoluteFilePath()).constData(), &old) == 0)
        written = ::fchmod(fd, (old.st_mode & 0777) | S_IWUSR) == 0;
    if (written)
        written = !fails(fault, SaveStep::Flush) && ::fsync(fd) == 0;
    if (::close(fd) != 0)
        written = false;
    if (!written) {
        ::unlink(tempPath.constData());
        return SaveOutcome::WriteFailed;
    }

    const QByteArray finalPath = QFile::encodeName(info.absoluteFilePath());
    if (fails(fault, SaveStep::Replace) ||
        ::rename(tempPath.constData(), finalPath.constData()) != 0) {
        ::unlink(tempPath.constData());
        return SaveOutcome::ReplaceFailed;
    }
    syncFolder(folder);
    return SaveOutcome::Saved;
}
