#include "bookcompaction.h"

#include "data/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QVariant>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kCopyAlias = QStringLiteral("compacted");

QString quotedName(QString name) {
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QStringList tablesOf(const Database& db, const QString& schema) {
    QSqlQuery query = db.exec(QStringLiteral("SELECT name FROM ") + schema +
                              QStringLiteral(".sqlite_master WHERE type = 'table' AND name NOT "
                                             "LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name"));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

Failure systemFailure(const QString& what, const QString& path) {
    const int error = errno;
    return Failure(error, QStringLiteral("%1 %2: %3")
                              .arg(what, QDir::toNativeSeparators(path),
                                   QString::fromLocal8Bit(std::strerror(error))));
}

// Makes sure a file's (or a directory's) contents are on the disk, not only in the cache:
// after a power cut the renamed book must be the complete copy, never a partial one.
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

// Detaches the copy however the check ends.
class Attached {
public:
    Attached(const Database& db, const QString& path) : m_db(db) {
        m_db.exec(QStringLiteral("ATTACH DATABASE ? AS ") + kCopyAlias, {path});
    }
    ~Attached() {
        try {
            m_db.exec(QStringLiteral("DETACH DATABASE ") + kCopyAlias);
        } catch (...) {
            // The connection is going away with the failure anyway.
        }
    }
    Attached(const Attached&) = delete;
    Attached& operator=(const Attached&) = delete;

private:
    const Database& m_db;
};

} // namespace

BookCompaction::BookCompaction(Database& db, QString bookPath, QString copyPath,
                               StepHook beforeStep)
    : m_db(db), m_bookPath(std::move(bookPath)), m_copyPath(std::move(copyPath)),
      m_beforeStep(std::move(beforeStep)) {}

void BookCompaction::before(Step step) const {
    if (m_beforeStep)
        m_beforeStep(step);
}

void BookCompaction::removeLeftover() const {
    // A stale journal of the copy would be played back into the new copy, so it goes too.
    for (const QString& path : {m_copyPath, m_copyPath + QStringLiteral("-journal")}) {
        const QFileInfo leftover(path);
        if (!leftover.exists() && !leftover.isSymLink())
            continue;
        if (leftover.isDir() || !QFile::remove(path))
            throw Failure(
                75, QStringLiteral("The file %1 from an earlier compaction cannot be deleted.")
                        .arg(QDir::toNativeSeparators(path)));
    }
}

void BookCompaction::makeCheckedCopy() const {
    before(Step::Compact);
    // The engine writes a fresh, compacted file from the open book.
    m_db.exec(QStringLiteral("VACUUM INTO ?"), {m_copyPath});
    before(Step::Check);
    verifyCopy(m_db, m_copyPath);
}

void BookCompaction::verifyCopy(const Database& db, const QString& copyPath) {
    if (!QFileInfo::exists(copyPath))
        throw Failure(53, QStringLiteral("The compacted copy %1 was not written.")
                              .arg(QDir::toNativeSeparators(copyPath)));
    Attached attached(db, copyPath);
    const QVariant integrity =
        db.scalar(QStringLiteral("PRAGMA ") + kCopyAlias + QStringLiteral(".integrity_check"));
    if (integrity.toString() != QLatin1String("ok"))
        throw Failure(-1, QStringLiteral("The compacted copy failed its integrity check: %1")
                              .arg(integrity.toString()));
    const QStringList tables = tablesOf(db, QStringLiteral("main"));
    const QStringList copied = tablesOf(db, kCopyAlias);
    if (tables != copied)
        throw Failure(
            -1, QStringLiteral("The compacted copy holds the tables %1 instead of %2.")
                    .arg(copied.join(QStringLiteral(", ")), tables.join(QStringLiteral(", "))));
    for (const QString& table : tables) {
        const QString name = quotedName(table);
        const qint64 inBook =
            db.scalar(QStringLiteral("SELECT COUNT(*) FROM main.") + name).toLongLong();
        const qint64 inCopy = db.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + kCopyAlias +
                                        QLatin1Char('.') + name)
                                  .toLongLong();
        if (inBook != inCopy)
            throw Failure(-1,
                          QStringLiteral("The compacted copy of %1 holds %2 rows instead of %3.")
                              .arg(table)
                              .arg(inCopy)
                              .arg(inBook));
    }
}

void BookCompaction::replaceBook() const {
    m_db.close();
    before(Step::Replace);
    // A journal beside the book would be played back into the new file on opening.
    const QString journal = m_bookPath + QStringLiteral("-journal");
    if (QFileInfo::exists(journal))
        throw Failure(
            -1, QStringLiteral("The book has an unfinished change (%1); it was left as it is.")
                    .arg(QDir::toNativeSeparators(journal)));
    syncToDisk(m_copyPath, false);
    const QByteArray from = QFile::encodeName(m_copyPath);
    const QByteArray to = QFile::encodeName(m_bookPath);
    // rename(2) replaces the book in one step: the name holds either the old or the new file.
    if (std::rename(from.constData(), to.constData()) != 0)
        throw systemFailure(QStringLiteral("Cannot put the compacted copy in place of"),
                            m_bookPath);
    // The rename itself is made durable by writing the directory.
    try {
        syncToDisk(QFileInfo(m_bookPath).absolutePath(), true);
    } catch (const Failure&) {
        // The new book is in place and complete; the directory is written by the system later.
    }
}

void BookCompaction::discardCopy() const noexcept {
    QFile::remove(m_copyPath);
    QFile::remove(m_copyPath + QStringLiteral("-journal"));
}
