#include "glexportcommands.h"

#include "data/bookfiles.h"
#include "data/codes.h"
#include "data/messages.h"
#include "data/settings.h"
#include "glexport/glbatchfile.h"
#include "glexport/gldistribution.h"
#include "glexport/glexportprocedures.h"
#include "kit/commandbinder.h"
#include "kit/filedialogs.h"
#include "kit/mrlookup.h"
#include "kit/services.h"
#include "kit/shellprocs.h"

#include <QDir>
#include <QLocale>
#include <QSqlQuery>

namespace {

// The message for a text the file cannot hold, in the user's words.
QString notWritable(const GlBatchFile::Unwritable& text) {
    if (text.transId.isEmpty() && text.date.isEmpty())
        return Messages::settingTextNotWritable(text.field, text.text);
    const QString field = text.field == QLatin1String("AccountCode") ? QStringLiteral("its account")
                          : text.field == QLatin1String("DeptCode")
                              ? QStringLiteral("its department")
                              : QStringLiteral("its description");
    const QString date = QLocale().toString(Codes::dateFromStored(text.date), QLocale::ShortFormat);
    return Messages::transactionTextNotWritable(text.transId, date, field, text.text);
}

} // namespace

void exportToAccpac(Services& services, QWidget* parent) {
    Prompts& prompts = services.prompts;
    if (!prompts.ask(Messages::exportToAccpacQuestion(), Prompts::Answer::Yes))
        return;
    const bool includeExported = prompts.ask(Messages::includeExportedQuestion());
    services.busy.set();
    if (!PreparetblDistribution(services, GlDistribution::AllSides) ||
        !PreparetblDistributionAccpacGL(services)) {
        services.busy.reset();
        return;
    }
    const bool multiCurrency = mrLookupText(services, Settings::SingleMultiCurrency,
                                            Settings::Plain) != QLatin1String("S");
    QSqlQuery selection =
        services.db.exec(GlBatchFile::selectionQuery(multiCurrency, includeExported));
    if (!selection.next()) {
        prompts.information(Messages::noRecordsToExport());
        return;
    }
    // Refused before the dialog, so that nothing is chosen or written in vain.
    if (const auto unwritable =
            GlBatchFile::findUnwritable(services.db, multiCurrency, includeExported)) {
        prompts.critical(notWritable(*unwritable));
        return;
    }

    const FileDialogRequest request =
        exportFileRequest(services.bookFolder(), QStringLiteral("GLBATCH.TXT"));
    const std::optional<QString> path =
        chooseSaveFile(services.fileDialogs, prompts, request, services.bookPath());
    // The dialog may have moved the current directory; windows that name the book without
    // a directory rely on it being the book's folder.
    QDir::setCurrent(services.bookFolder());
    if (!path) {
        prompts.information(Messages::exportCancelled());
        return;
    }
    if (isBookFile(*path, services.bookPath())) {
        prompts.critical(Messages::exportOverBook(*path));
        return;
    }
    const qint64 rows = GlBatchFile::selectionCount(services.db, includeExported);
    if (!ExportGLBatchFile(services, parent, selection, *path, rows))
        return;
    if (prompts.ask(Messages::viewExportQuestion()))
        ViewEditor(services, *path);
    if (prompts.ask(Messages::markExportedQuestion(), Prompts::Answer::Yes) &&
        MarkAsExported(services))
        prompts.information(Messages::exportedAndMarked());
    services.busy.reset();
}

void installGlExportCommands(CommandBinder& commands) {
    Services* services = &commands.services();
    QWidget* parent = commands.parentWindow();
    commands.bindCommand(QStringLiteral("cmdExportToAccpac"),
                         [services, parent] { exportToAccpac(*services, parent); });
}
