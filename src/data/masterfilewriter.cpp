#include "masterfilewriter.h"

#include "data/masterfiletext.h"
#include "data/recordfilewriter.h"

std::optional<qint64> MasterFileWriter::write(QSqlQuery& records, const QString& path,
                                              const Progress& progress) {
    return RecordFileWriter::write(
        records, path,
        [](const QVariantList& values) { return MasterFileText::exportLine(values).toUtf8(); },
        progress);
}
