#include "core/safe_save.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool fails(const SaveFault& fault, SaveStep step) {
    return fault && fault(step);
}

// Temporary files are named "." + stem + "." + six hex digits + ".tmp" beside the target.
constexpr int kTemporaryExtraBytes = 1 + 1 + 6 + 4;
constexpr int kHashBytes = 9; // "~" and eight hex digits

// The stem is the target's own name, or, when that would make the temporary name longer than the
// folder takes, the name cut at a character boundary with a hash of the whole name, so that
// long names sharing their beginning still get temporary files of their own.
QByteArray temporaryStem(const QByteArray& folder, const QByteArray& name) {
    long nameMax = ::pathconf(folder.constData(), _PC_NAME_MAX);
    if (nameMax <= 0)
        nameMax = 255;
    if (name.size() + kTemporaryExtraBytes <= nameMax)
        return name;
    qsizetype cut = std::max<qsizetype>(0, nameMax - kTemporaryExtraBytes - kHashBytes);
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;                   // not inside a UTF-8 sequence
    uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return name.left(cut) + '~' + QByteArray::number(hash, 16).rightJustified(8, '0');
}

// A new hidden file in `folder`, created with the usual permissions; -1 when none can be made.
int createTemporary(const QByteArray& folder, const QByteArray& stem, QByteArray& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = folder + "/." + stem + '.' +
               QByteArray::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 16)
                   .rightJustified(6, '0') +
               ".tmp";
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Removes the temporary files that earlier saves of the same target left when they were killed
// before their rename. Only regular files named exactly as those saves name them are touched.
void removeLeftovers(const QByteArray& folder, const QByteArray& stem) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const QByteArray prefix = '.' + stem + '.';
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.size() != prefix.size() + 10 || !name.startsWith(prefix) || !name.endsWith(".tmp"))
            continue;
        const QByteArray digits = name.mid(prefix.size(), 6);
        if (!std::all_of(digits.begin(), digits.end(),
                         [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }))
            continue;
        struct stat st {};
        const QByteArray path = folder + '/' + name;
        if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode))
            ::unlink(path.constData());
    }
    ::closedir(dir);
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
void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    const QByteArray stem = temporaryStem(folder, QFile::encodeName(info.fileName()));
    const QByteArray finalPath = QFile::encodeName(info.absoluteFilePath());

    QByteArray tempPath;
    const int fd = fails(fault, SaveStep::Create) ? -1 : createTemporary(folder, stem, tempPath);
    if (fd < 0)
        return SaveOutcome::WriteFailed;

    bool written = false;
    if (fails(fault, SaveStep::Write))
        writeAll(fd, bytes.left(bytes.size() / 2)); // half written, as on a full disk
    else
        written = writeAll(fd, bytes);
    // The old file was read-only or not: the new one is an ordinary file of the same kind.
    struct stat old {};
    if (written && ::stat(finalPath.constData(), &old) == 0)
        written = ::fchmod(fd, (old.st_mode & 0777) | S_IWUSR) == 0;
    if (written)
        written = !fails(fault, SaveStep::Flush) && ::fsync(fd) == 0;
    if (::close(fd) != 0)
        written = false;
    if (!written) {
        ::unlink(tempPath.constData());
        return SaveOutcome::WriteFailed;
    }

    if (fails(fault, SaveStep::Replace) ||
        ::rename(tempPath.constData(), finalPath.constData()) != 0) {
        ::unlink(tempPath.constData());
        return SaveOutcome::ReplaceFailed;
    }
    removeLeftovers(folder, stem);
    syncFolder(folder);
    return SaveOutcome::Saved;
}
