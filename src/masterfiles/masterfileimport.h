#pragma once

#include "masterfiles/masterfile.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Database;

// Adds the records of a master file to its table. Records are only added: a record whose
// key exists is refused by the database and reported through the duplicate callback.
// Rows are written in batched transactions, committed before every duplicate question
// and whenever the import stops, so every record added before a stop, a failure or a No
// stays in the table.
class MasterFileImport {
public:
    enum class Stop {
        EndOfFile, // every line was read
        ShortLine, // a line with too few values, or an empty line
        Declined,  // No to the duplicate question
        Cancelled, // the progress callback asked to stop
    };
    struct Result {
        qint64 added = 0;
        Stop stop = Stop::EndOfFile;
        // The number (from 1) of the line that stopped the import, 0 at the end of the file.
        qint64 line = 0;
    };

    // Rows per transaction between questions.
    static constexpr qint64 BatchSize = 5000;

    MasterFileImport(const Database& db, const MasterFile& file);

    // Asked with a line's values after its record was refused as a duplicate; true goes
    // on with the next line. Without it the import stops at the first duplicate.
    std::function<bool(const QStringList& values)> continueAfterDuplicate;
    // Told the lines done and the lines in all; returning false stops the import.
    std::function<bool(qint64 done, qint64 total)> progress;

    // Reads the file at path a line at a time (MasterFileReader) and adds its records. Throws
    // Failure when the file cannot be read or a record is refused for a reason other than its key;
    // the records added before stay in the table.
    Result run(const QString& path);
    // The same for lines already read.
    Result run(const QStringList& lines);

private:
    using NextLine = std::function<std::optional<QString>()>;
    Result run(qint64 total, const NextLine& nextLine);

    const Database& m_db;
    const MasterFile& m_file;
};
