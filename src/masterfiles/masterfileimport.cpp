#include "masterfileimport.h"

#include "data/database.h"
#include "data/failure.h"
#include "masterfiles/masterfiletext.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <optional>

MasterFileImport::MasterFileImport(const Database& db, const MasterFile& file)
    : m_db(db), m_file(file) {}

QStringList MasterFileImport::readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(
            ErrorNumber::FileNotFound,
            QStringLiteral("The file %1 could not be read: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(
            ErrorNumber::FileNotFound,
            QStringLiteral("The file %1 could not be read: %2").arg(path, file.errorString()));
    return MasterFileText::splitLines(MasterFileText::decode(bytes));
}

MasterFileImport::Result MasterFileImport::run(const QString& path) {
    return run(readLines(path));
}

MasterFileImport::Result MasterFileImport::run(const QStringList& lines) {
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

    const qint64 total = lines.size();
    const int count = m_file.valuesPerLine();
    try {
        for (qint64 i = 0; i < total; ++i) {
            if (progress && !progress(i, total)) {
                result.stop = Stop::Cancelled;
                result.line = i + 1;
                break;
            }
            const std::optional<QStringList> values = MasterFileText::splitLine(lines.at(i), count);
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
