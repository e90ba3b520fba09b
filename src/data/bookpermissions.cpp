#include "bookpermissions.h"

#include "failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace BookPermissions {

namespace {

mode_t modeOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        const int error = errno;
        throw Failure(
            ErrorNumber::PathFileAccessError,
            QStringLiteral("Cannot read the permissions of %1: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error))));
    }
    return info.st_mode & 07777;
}

// What a folder needs to give for the same access as a file: reading a file in it takes
// entering the folder too.
mode_t folderModeFor(mode_t fileMode) {
    mode_t folder = fileMode & 0666;
    for (const mode_t read : {S_IRUSR, S_IRGRP, S_IROTH})
        if (fileMode & read)
            folder |= read >> 2; // the matching search bit
    return folder;
}

} // namespace

unsigned copyMode(const QString& bookFile) {
    return (modeOf(bookFile) & 0666) | S_IRUSR | S_IWUSR;
}

void createCopyFile(const QString& bookFile, const QString& path) {
    const mode_t mode = copyMode(bookFile);
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
        const int error = errno;
        throw Failure(
            error == EEXIST ? ErrorNumber::FileAlreadyExists : ErrorNumber::PathFileAccessError,
            QStringLiteral("The copy %1 of the book cannot be made: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error))));
    }
    // The mode given to open() loses what the process's umask takes away; that only ever
    // makes it more private, but the copy is meant to match the book.
    const int result = ::fchmod(fd, mode);
    const int error = errno;
    ::close(fd);
    if (result != 0) {
        QFile::remove(path);
        throw Failure(
            ErrorNumber::PathFileAccessError,
            QStringLiteral("Cannot set the permissions of %1: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error))));
    }
}

void makeBackupFolder(const QString& bookFile, const QString& folder) {
    if (!QDir().mkpath(folder))
        throw Failure(
            ErrorNumber::PathFileAccessError,
            QStringLiteral("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(folder)));
    const mode_t allowed =
        (modeOf(QFileInfo(bookFile).absolutePath()) & folderModeFor(modeOf(bookFile)) & 0777) |
        S_IRWXU;
    const mode_t current = modeOf(folder);
    if ((current & ~allowed & 0777) == 0)
        return;
    // Only ever taken away: a folder the user made more private stays so.
    if (::chmod(QFile::encodeName(folder).constData(), current & (allowed | ~mode_t(0777))) != 0) {
        const int error = errno;
        throw Failure(ErrorNumber::PathFileAccessError,
                      QStringLiteral("The backups folder %1 may be read by others than the book "
                                     "may, and its permissions cannot be changed: %2")
                          .arg(QDir::toNativeSeparators(folder),
                               QString::fromLocal8Bit(std::strerror(error))));
    }
}

} // namespace BookPermissions
