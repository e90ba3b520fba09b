#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>

class Database;

// The book's format version and the upgrade that brings an older book up to it. A book
// carries the program's mark in SQLite's application_id and its version in user_version;
// books made before the version existed carry neither but hold the program's tables, and
// count as version 0.
namespace BookFormat {

// "QLN1" read as a big-endian number.
constexpr qint32 kApplicationId = 0x514C4E31;

// A book on a server keeps the mark and the version in a table of its own (the server has no
// application_id or user_version), one row of ApplicationId and Version.
inline const QString kServerFormatTable = QStringLiteral("tblBookFormat");
// Server books began with this version, made whole by ServerSchema; the steps after it run on
// both engines. A server book marked with an earlier one was made by no build.
constexpr int kFirstServerVersion = 5;

// One upgrade step: brings a book from the version before it to the next. It runs inside
// the upgrade's transaction and adds what the user must be told to `notices`.
using Step = std::function<void(const Database& db, QStringList& notices)>;

// The steps in order: the first takes a version 0 book to version 1, and so on, so the
// current version is their number. A later format change is one more function here.
const QList<Step>& steps();
int currentVersion();

// Writes the program's mark and `version` into the book open on db.
void stamp(const Database& db, int version);

// The version of the book open on db, read before anything is written to it. Throws
// Failure of kind BookRefused when the file is not a book of this program, is a book of a
// version newer than `currentVersion`, or carries a version no build made (below 1).
int versionOf(const Database& db, const QString& path, int currentVersion);

// What opening a book did to it.
struct Upgrade {
    int fromVersion = -1; // the version before the upgrade; -1 when none was needed
    QString copyPath;     // the checked copy of the book as it was
    QStringList notices;  // what the steps found that the user must act on
    bool ran() const { return fromVersion >= 0; }
};

// Writes a checked copy of the book beside it, then runs the steps after `fromVersion`
// and stamps the last version, all in one transaction. Throws Failure of kind BookRefused
// when any of it fails, or when no build made `fromVersion`; the book is then exactly as it
// was and the copy is removed. Messages name the book `shownPath` (by default `path`).
Upgrade upgrade(const Database& db, const QString& path, int fromVersion, const QList<Step>& steps,
                const QString& shownPath = {});

// Where the copy of a book of `version` goes before its upgrade: beside it, never over an
// existing file.
QString copyPathFor(const QString& path, int version);

} // namespace BookFormat
