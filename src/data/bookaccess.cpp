#include "bookaccess.h"

#include "failure.h"
#include "messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace BookAccess {

namespace {

// Whether the permissions let anyone at all write the file or folder.
bool hasWriteBits(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 &&
           (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

bool writable(const QString& path) {
    return hasWriteBits(path) && ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

Failure systemFailure(const QString& what, const QString& path) {
    const int error = errno;
    return Failure(error, QStringLiteral("%1 %2: %3")
                              .arg(what, QDir::toNativeSeparators(path),
                                   QString::fromLocal8Bit(std::strerror(error))));
}

// Makes sure a file's (or a directory's) contents are on the disk, not only in the cache:
// after a power cut the renamed book must be the complete new file, never a partial one.
void syncToDisk(const QString& path, bool directory) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), directory ? (O_RDONLY | O_DIRECTORY) : O_RDONLY);
    if (fd < 0)
        throw systemFailure(QStringLiteral("Cannot open"), path);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0) {
        errno = error;
        throw systemFailure(QStringLiteral("Cannot write to disk"), path);
    }
}

// The engine plays back a journal only when its header is intact; an empty or zeroed one
// (a change that was committed or never began) is ignored.
bool journalHasHeader(const QString& path) {
    static const QByteArray magic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(8) == magic;
}

void copyAttributes(const QString& from, const QString& to) {
    struct stat info {};
    if (::stat(QFile::encodeName(from).constData(), &info) != 0)
        throw systemFailure(QStringLiteral("Cannot read the permissions of"), from);
    const QByteArray target = QFile::encodeName(to);
    // Owner first: changing it may clear the set-id bits the mode then restores.
    if (::chown(target.constData(), info.st_uid, info.st_gid) != 0 &&
        ::chown(target.constData(), uid_t(-1), info.st_gid) != 0) {
        // Not permitted: the file keeps the current user as its owner.
    }
    if (::chmod(target.constData(), info.st_mode & 07777) != 0)
        throw systemFailure(QStringLiteral("Cannot set the permissions of"), to);
}

} // namespace

QString realPath(const QString& path) {
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? info.absoluteFilePath() : real;
}

bool mayChange(const QString& path) {
    const QString real = realPath(path);
    return writable(real) && writable(QFileInfo(real).absolutePath());
}

ReadingConnection readingConnection(const QString& path) {
    const QString readOnly = QStringLiteral("QSQLITE_OPEN_READONLY");
    const QString real = realPath(path);
    QFile file(real);
    // Bytes 18 and 19 of the header are 2 in a book kept in write-ahead mode.
    const QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(20) : QByteArray();
    const bool writeAhead = header.size() == 20 && header.at(18) == 2 && header.at(19) == 2;
    if (!writeAhead || writable(QFileInfo(real).absolutePath()) ||
        QFileInfo::exists(real + QStringLiteral("-shm")))
        return {path, readOnly};
    // Opened as unchanging, the book must not change: its log holds no change, and nobody at
    // all may write in its folder (where a writer would put its journal).
    if (QFileInfo(real + QStringLiteral("-wal")).size() > 0 ||
        hasWriteBits(QFileInfo(real).absolutePath()))
        throw Failure(ErrorNumber::Unnumbered, Messages::bookLogUnreadable(real),
                      Failure::Kind::BookRefused);
    return {QUrl::fromLocalFile(real).toString(QUrl::FullyEncoded) +
                QStringLiteral("?mode=ro&immutable=1"),
            readOnly + QStringLiteral(";QSQLITE_OPEN_URI")};
}

void clearStaleJournal(const QString& bookFile) {
    const QString journal = bookFile + QStringLiteral("-journal");
    if (!QFileInfo::exists(journal))
        return;
    if (journalHasHeader(journal))
        throw Failure(
            ErrorNumber::Unnumbered,
            QStringLiteral("The book has an unfinished change (%1); it was left as it is.")
                .arg(QDir::toNativeSeparators(journal)));
    if (!QFile::remove(journal))
        throw Failure(ErrorNumber::PathFileAccessError,
                      QStringLiteral("The journal %1 the book no longer needs cannot be deleted.")
                          .arg(QDir::toNativeSeparators(journal)));
}

void replaceFile(const QString& from, const QString& bookFile) {
    copyAttributes(bookFile, from);
    moveIntoPlace(from, bookFile);
}

void moveIntoPlace(const QString& from, const QString& to) {
    syncToDisk(from, false);
    // rename(2) replaces in one step: the name holds either the old or the new file.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw systemFailure(QStringLiteral("Cannot put the new file in place of"), to);
    // The rename itself is made durable by writing the directory.
    try {
        syncToDisk(QFileInfo(to).absolutePath(), true);
    } catch (const Failure&) {
        // The new file is in place and complete; the directory is written by the system later.
    }
}

} // namespace BookAccess
