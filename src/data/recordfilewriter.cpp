#include "recordfilewriter.h"

#include "data/database.h"
#include "data/failure.h"

#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// Lines are gathered and written in blocks of about this many bytes.
constexpr qsizetype kBlockBytes = 256 * 1024;

[[noreturn]] void throwCannotWrite(const QSaveFile& file) {
    throw Failure(ErrorNumber::DeviceIoError, QStringLiteral("The file %1 could not be written: %2")
                                                  .arg(file.fileName(), file.errorString()));
}

void writeBlock(QSaveFile& file, QByteArray& block) {
    if (block.isEmpty())
        return;
    if (file.write(block) != block.size())
        throwCannotWrite(file);
    block.clear();
}

} // namespace

std::optional<qint64> RecordFileWriter::write(QSqlQuery& records, const QString& path,
                                              const LineEncoder& encodeLine,
                                              const Progress& progress) {
    // Rows go to a temporary file beside the target that replaces it only when complete;
    // until then a file of that name keeps its old contents. Leaving this function without
    // commit() discards the temporary file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Failure(
            ErrorNumber::PathFileAccessError,
            QStringLiteral("The file %1 could not be created: %2").arg(path, file.errorString()));

    const int columns = records.record().count();
    QVariantList values;
    values.reserve(columns);
    QByteArray block;
    block.reserve(kBlockBytes + 4096);
    qint64 rows = 0;
    bool more = records.isValid() || (records.at() == QSql::BeforeFirstRow && records.next());
    while (more) {
        values.clear();
        for (int column = 0; column < columns; ++column)
            values << records.value(column);
        block += encodeLine(values);
        ++rows;
        if (block.size() >= kBlockBytes)
            writeBlock(file, block);
        if (progress && !progress(rows))
            return std::nullopt;
        more = records.next();
    }
    writeBlock(file, block);
    if (records.lastError().isValid())
        throw Database::failureFrom(records.lastError());
    // commit() does not report a failure of the final flush of buffered lines, so they
    // are flushed here first.
    if (!file.flush() || !file.commit())
        throwCannotWrite(file);
    return rows;
}
