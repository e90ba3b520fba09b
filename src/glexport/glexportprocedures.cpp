#include "glexportprocedures.h"

#include "data/messages.h"
#include "glexport/glbatchfile.h"
#include "glexport/gldistribution.h"
#include "kit/exporttextfile.h"
#include "kit/handlerguard.h"
#include "kit/services.h"

bool PreparetblDistribution(Services& services, int mode) {
    qint64 transactions = 0;
    if (!guarded(services, {}, QStringLiteral("PreparetblDistribution"),
                 [&] { transactions = GlDistribution::rebuild(services.db, mode); }))
        return false;
    if (transactions > 0)
        return true;
    services.busy.reset();
    services.prompts.critical(Messages::noCurrentMonthTransactions());
    return false;
}

bool PreparetblDistributionAccpacGL(Services& services) {
    const bool rebuilt = guarded(services, {}, QStringLiteral("PreparetblDistributionAccpacGL"),
                                 [&] { GlDistribution::rebuildBatch(services.db); });
    services.busy.reset();
    return rebuilt;
}

bool ExportGLBatchFile(Services& services, QWidget* parent, QSqlQuery& selection,
                       const QString& path, qint64 rows) {
    return ExportTextFile(services, parent, selection, path, rows, &GlBatchFile::line);
}

bool MarkAsExported(Services& services) {
    bool marked = false;
    guarded(services, {}, QStringLiteral("MarkAsExported"),
            [&] { marked = GlDistribution::markAsExported(services.db); });
    return marked;
}
