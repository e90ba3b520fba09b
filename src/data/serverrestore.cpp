#include "serverrestore.h"

#include "bookrestore.h"
#include "booktransfer.h"
#include "database.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
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
    m_upgrade = BookRestore::checkedCopy(chosenPath, m_copy);
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
