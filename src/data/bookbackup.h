#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class Database;

// Verified copies of the book. A book file's backup is written by the engine from the open
// connection (BookCopy::write, a copy of its pages), then checked against the book
// (BookCopy::verify: every page and record, the same tables, row counts and sums); a copy that
// fails the check is removed, never kept as a backup. A server book's backup is a book file too,
// written from one state of the server book by BookTransfer and checked against it the same way
// (every page and record, the same tables, row counts and sums); its `bookPath` is the book's URI
// as shown (BookLocation::shown), and its backups folder is in the user's data folder.
namespace BookBackup {

// How many automatic backups are kept; older ones are removed as new ones are made.
constexpr int kKeptAutomatic = 10;

// The backups folder beside the book's real file; for a server book,
// backups/<database name> in the user's data folder (QStandardPaths::AppDataLocation).
QString folderFor(const QString& bookPath);
// Makes that folder, no more open than the book and its folder
// (BookPermissions::makeBackupFolder; a server book's only its owner may enter). Throws
// Failure.
void makeFolder(const QString& bookPath);
// A new name in that folder for a backup made at `when`; `reason` marks an automatic one.
QString pathFor(const QString& bookPath, const QDateTime& when, const QString& reason = {});

// Called with the copy's path between writing and checking it; a test damages it there.
using AfterWrite = std::function<void(const QString& copyPath)>;

// Told each step of a backup as it begins ("Copying the book...", "Checking the copy...",
// "Moving it into place..."), again as the copy advances (`done` of `total`, both 0 for a
// step that cannot tell how far it is).
using Steps = std::function<void(const QString& step, qint64 done, qint64 total)>;

// Writes a verified backup of the book open on db to path, which must not exist. Throws
// Failure, leaving nothing at path, when it cannot be written or fails its check.
void make(const Database& db, const QString& path, const AfterWrite& afterWrite = {},
          const Steps& steps = {});

// The backup the program makes on its own before it changes the book wholesale (a format
// upgrade, a master file import, period end, a restore): written to the backups folder,
// verified, and the automatic backups beyond the last ten removed. Returns its path; throws
// Failure when it could not be made (the caller should not go on).
QString makeAutomatic(const Database& db, const QString& bookPath, const QString& reason,
                      const Steps& steps = {});

// Removes the automatic backups beyond the last ten, and backups a crash cut short.
void pruneAutomatic(const QString& bookPath);

// The backups in the folder, by name (automatic ones by the time they were made).
QStringList backups(const QString& bookPath);
// The backup in the folder made last, by the time its file was written (empty when there is
// none): never a symbolic link nor the book itself under another name, which are no backup.
QString latest(const QString& bookPath);

} // namespace BookBackup
