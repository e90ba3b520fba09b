#include "masterfilewriter.h"

#include "data/database.h"
#include "data/failure.h"
#include "masterfiles/masterfiletext.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// Lines are gathered and written in blocks of about this many bytes.
constexpr qsizetype kBlockBytes = 256 * 1024;

void writeBlock(QFile& file, QByteArray& block) {
    if (block.isEmpty())
        return;
    if (file.write(block) != block.size())
        throw Failure(MasterFileWriter::CannotWriteNumber,
                      QStringLiteral("The file %1 could not be written: %2")
                          .arg(file.fileName(), file.errorString()));
    block.clear();
}

} // namespace

std::optional<qint64> MasterFileWriter::write(QSqlQuery& records, const QString& path,
                                              const Progress& progress) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Failure(CannotCreateNumber, QStringLiteral("The file %1 could not be created: %2")
                                              .arg(path, file.errorString()));

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
        block += MasterFileText::exportLine(values).toUtf8();
        ++rows;
        if (block.size() >= kBlockBytes)
            writeBlock(file, block);
        if (progress && !progress(rows)) {
            file.close();
            file.remove();
            return std::nullopt;
        }
        more = records.next();
    }
    writeBlock(file, block);
    if (records.lastError().isValid())
        throw Database::failureFrom(records.lastError());
    if (!file.flush())
        throw Failure(CannotWriteNumber, QStringLiteral("The file %1 could not be written: %2")
                                             .arg(path, file.errorString()));
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw Failure(CannotWriteNumber, QStringLiteral("The file %1 could not be written: %2")
                                             .arg(path, file.errorString()));
    return rows;
}
