#include "exporttextfile.h"

#include "data/failure.h"
#include "data/masterfilewriter.h"
#include "data/messages.h"
#include "kit/busypointer.h"
#include "kit/services.h"
#include "kit/workprogress.h"

#include <QFileInfo>
#include <QSqlQuery>

bool ExportTextFile(Services& services, QWidget* parent, QSqlQuery& records, const QString& path,
                    qint64 expectedRows, const RecordFileWriter::LineEncoder& encodeLine) {
    std::optional<qint64> written;
    {
        BusyScope busy(services.busy);
        WorkProgress progress(
            parent, QStringLiteral("Exporting to %1 ...").arg(QFileInfo(path).fileName()));
        try {
            const auto update = [&](qint64 rows) { return progress.update(rows, expectedRows); };
            written = encodeLine ? RecordFileWriter::write(records, path, encodeLine, update)
                                 : MasterFileWriter::write(records, path, update);
        } catch (const Failure& failure) {
            progress.finish();
            services.busy.reset();
            services.prompts.plain(QString::number(failure.number()) + QLatin1Char(' ') +
                                   failure.description());
            return false;
        }
    }
    if (!written) {
        services.prompts.information(Messages::exportCancelled());
        return false;
    }
    services.prompts.information(Messages::exportSucceeded(path, *written));
    return true;
}
