#include "serverrestore.h"

#include "bookaccess.h"
#include "bookintegrity.h"
#include "booktransfer.h"
#include "database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

void copyFile(const QString& from, const QString& to) {
    if (!QFile::copy(from, to))
        throw Failure(
            ErrorNumber::PathFileAccessError,
            QStringLiteral("The file %1 cannot be copied to %2.").arg(shown(from), shown(to)));
}

} // namespace

ServerRestore::ServerRestore(const QString& chosenPath) : m_chosen(chosenPath) {
    if (!QFileInfo(chosenPath).isFile())
        throw Failure(ErrorNumber::FileNotFound,
                      QStringLiteral("The file %1 cannot be found.").arg(shown(chosenPath)));
    // A server book has no folder beside it: the working folder is a temporary one of the
    // user's, private to this restore.
    if (!m_work.isValid())
        throw Failure(ErrorNumber::PathFileAccessError,
                      QStringLiteral("No working folder for the restore can be made: %1")
                          .arg(m_work.errorString()));
    m_copy = m_work.filePath(QStringLiteral("restoring.mdb"));
    // The engine reads a book with the log (write-ahead) or journal kept beside its real
    // file; copied with it, the copy reads as the chosen file would.
    const QString source = BookAccess::realPath(chosenPath);
    copyFile(source, m_copy);
    for (const QString& companion : {QStringLiteral("-wal"), QStringLiteral("-journal")})
        if (QFileInfo::exists(source + companion))
            copyFile(source + companion, m_copy + companion);

    Database check(QStringLiteral("quillan-restore-check"));
    m_upgrade = check.open(m_copy, BookFormat::steps(), chosenPath);
    // What is checked is what is loaded: a log the copy still holds is written into it first.
    const QString mode = check.scalar(QStringLiteral("PRAGMA journal_mode = DELETE")).toString();
    if (mode.compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The copy of %1 cannot be made one file (journal mode %2).")
                          .arg(shown(chosenPath), mode));
    check.close();
    const QString problems = BookIntegrity::problems(m_copy);
    if (!problems.isEmpty())
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The file %1 is not a sound book: it failed its integrity "
                                     "check: %2")
                          .arg(shown(chosenPath), problems));
}

QString ServerRestore::keepCurrentBook(const Database& db, const QString& bookPath,
                                       const BookBackup::Steps& steps) {
    return BookBackup::makeAutomatic(db, bookPath, QStringLiteral("restore"), steps);
}

void ServerRestore::replace(const Database& db) {
    Database copy(QStringLiteral("quillan-restore-source"));
    copy.setOnlyReading(true);
    copy.open(m_copy, BookFormat::steps(), m_chosen);
    BookTransfer::replaceRows(copy, db, db.location().shown());
}
