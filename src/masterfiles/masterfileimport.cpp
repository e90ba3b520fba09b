#include "masterfileimport.h"

#include "data/database.h"
#include "data/failure.h"
#include "data/masterfiletext.h"
#include "masterfiles/masterfilereader.h"

#include <QSqlError>
#include <QSqlQuery>
#include <optional>

MasterFileImport::MasterFileImport(const Database& db, const MasterFile& file)
    : m_db(db), m_file(file) {}

MasterFileImport::Result MasterFileImport::run(const QString& path) {
    MasterFileReader reader(path);
    return run(reader.lineCount(), [&reader] { return reader.next(); });
}

MasterFileImport::Result MasterFileImport::run(const QStringList& lines) {
    qsizetype next = 0;
    return run(lines.size(), [&]() -> std::optional<QString> {
        if (next == lines.size())
            return std::nullopt;
        return lines.at(next++);
    });
}

MasterFileImport::Result MasterFileImport::run(qint64 total, const NextLine& nextLine) {
    QSqlQuery insert(m_db.connection());
    if (!insert.prepare(m_file.insertStatement()))
        Database::fail(insert.lastError());

    Result result;
    std::optional<Transaction> batch;
    qint64 pending = 0;
    auto commit = [&] {
        if (batch) {
            insert.finish();
            batch->commit();
            batch.reset();
        }
        pending = 0;
    };

    const int count = m_file.valuesPerLine();
    try {
        for (qint64 i = 0; i < total; ++i) {
            if (progress && !progress(i, total)) {
                result.stop = Stop::Cancelled;
                result.line = i + 1;
                break;
            }
            const std::optional<QString> line = nextLine();
            if (!line)
                break;
            const std::optional<QStringList> values = MasterFileText::splitLine(*line, count);
            if (!values) {
                result.stop = Stop::ShortLine;
                result.line = i + 1;
                break;
            }
            if (!batch)
                batch.emplace(m_db);
            const QVariantList bound = m_file.insertValues(*values);
            for (int k = 0; k < bound.size(); ++k)
                insert.bindValue(k, bound.at(k));
            if (insert.exec()) {
                ++result.added;
                if (++pending >= BatchSize)
                    commit();
                continue;
            }
            const Failure failure = Database::failureFrom(insert.lastError());
            if (!failure.isDuplicateKey())
                throw failure;
            // The question may be the user's last word: what is added so far is kept.
            commit();
            if (!continueAfterDuplicate || !continueAfterDuplicate(*values)) {
                result.stop = Stop::Declined;
                result.line = i + 1;
                break;
            }
        }
        commit();
    } catch (...) {
        // The records added before the failure stay, as if each had been written at once.
        try {
            commit();
        } catch (...) {
            // The batch rolls back; the first failure is the one to report.
        }
        throw;
    }
    if (progress && result.stop == Stop::EndOfFile)
        progress(total, total);
    return result;
}
