#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Database;

// A copy of the book written by the engine from the open connection, and its check. Used
// before anything rewrites the book (backups, compaction, upgrade), so a good book always
// exists.
namespace BookCopy {

// How far a copy has come: pages copied of the book's pages.
using Progress = std::function<void(qint64 done, qint64 total)>;

// Writes a copy of the book open on db to copyPath (which must not exist), with the book's
// permissions from the start (BookPermissions::createCopyFile): the engine's pages copied as
// they are (its online backup), from this very connection so that the copy is one state of
// the book, a file in the rollback journal mode. `progress` is called between runs of pages.
void write(const Database& db, const QString& copyPath, const Progress& progress = {});
// The same written without the book's free space (VACUUM INTO), for compaction: slower, as
// every row is written again.
void writeCompact(const Database& db, const QString& copyPath);

// How closely verify() reads the copy's pages: Full checks every index's entries against its
// table's rows too (BookIntegrity), for a copy whose indexes the engine wrote anew; Quick
// checks every page and record (quick_check), enough for a page copy whose rows are counted
// and summed after.
enum class Check { Full, Quick };

// A file's tables (by name) and each one's tally (see tally()).
struct Tallies {
    QStringList tables;
    QStringList tallies;
};

// The book's side of a copy's check, read ahead: made before the copy is written, it reads
// the book's tallies on a connection of its own in another thread while the pages are copied
// (on the program's connection instead when that holds an uncommitted write). Nothing may
// write the book until the check has taken it.
class BookSide {
public:
    explicit BookSide(const Database& db);
    ~BookSide();
    BookSide(const BookSide&) = delete;
    BookSide& operator=(const BookSide&) = delete;

    // The book's tallies: those read ahead, or read now when they could not be.
    Tallies take();

private:
    struct Reading;
    const Database& m_db;
    std::unique_ptr<Reading> m_reading;
};

// Checks a copy against the book: its pages, the same tables, and in each the same number of
// rows and the same sum of every whole-number field (the amounts). The copy is read on
// connections of its own, for reading only, its pages in another thread. Throws Failure.
void verify(BookSide& book, const QString& copyPath, Check check);
// The same, the book's side read now.
void verify(const Database& db, const QString& copyPath, Check check = Check::Full);
// A table's row count and the sum of each of its whole-number fields (the amounts, stored as
// whole ten-thousandths, and the flags), as text: "12 rows, sums 0 5 -120000". `schema` names
// an attached database.
QString tally(const Database& db, const QString& table,
              const QString& schema = QStringLiteral("main"));
// Removes a copy and its journal; never throws.
void discard(const QString& copyPath) noexcept;

} // namespace BookCopy
