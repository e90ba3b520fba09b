#include "masterfilecommands.h"

#include "data/bookbackup.h"
#include "data/bookfiles.h"
#include "data/messages.h"
#include "data/sqlnames.h"
#include "kit/commandbinder.h"
#include "kit/exporttextfile.h"
#include "kit/filedialogs.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "kit/workprogress.h"
#include "masterfiles/masterfileimport.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace {

// The file dialog may have moved the current directory; windows that name the book
// without a directory rely on it being the book's folder.
void restoreCurrentDirectory(const Services& services) {
    QDir::setCurrent(services.bookFolder());
}

QString exportQuestion(MasterFile::Kind kind) {
    switch (kind) {
    case MasterFile::Kind::Accounts:
        return Messages::exportAccountsQuestion();
    case MasterFile::Kind::Customers:
        return Messages::exportCustomersQuestion();
    case MasterFile::Kind::Vendors:
        break;
    }
    return Messages::exportVendorsQuestion();
}

QString importQuestion(MasterFile::Kind kind) {
    switch (kind) {
    case MasterFile::Kind::Accounts:
        return Messages::importAccountsQuestion();
    case MasterFile::Kind::Customers:
        return Messages::importCustomersQuestion();
    case MasterFile::Kind::Vendors:
        break;
    }
    return Messages::importVendorsQuestion();
}

QString duplicateQuestion(MasterFile::Kind kind, const QStringList& values) {
    switch (kind) {
    case MasterFile::Kind::Accounts:
        return Messages::duplicateAccount(values.value(0), values.value(1), values.value(2));
    case MasterFile::Kind::Customers:
        return Messages::duplicateCustomer(values.value(0), values.value(1));
    case MasterFile::Kind::Vendors:
        break;
    }
    return Messages::duplicateVendor(values.value(0), values.value(1));
}

} // namespace

void exportMasterFile(Services& services, QWidget* parent, const MasterFile& file) {
    if (!services.prompts.askPlain(exportQuestion(file.kind)))
        return;
    QSqlQuery records = services.db.exec(file.exportQuery);
    if (!records.next()) {
        services.prompts.information(Messages::noRecordsToExport());
        return;
    }
    const FileDialogRequest request =
        exportFileRequest(services.bookFolder(), QStringLiteral("Export.txt"));
    // The question before a new file is made belongs to the dialog: No returns to it.
    const std::optional<QString> path =
        chooseSaveFile(services.fileDialogs, services.prompts, request, services.bookPath());
    restoreCurrentDirectory(services);
    if (path && isBookFile(*path, services.bookPath())) {
        services.prompts.critical(Messages::exportOverBook(*path));
        return;
    }
    if (!path) {
        services.prompts.information(Messages::exportCancelled());
        return;
    }
    // The table name is the program's own, never the user's text.
    const qint64 rows =
        services.db.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + SqlNames::quoted(file.table))
            .toLongLong();
    if (ExportTextFile(services, parent, records, *path, rows) &&
        services.prompts.ask(Messages::viewExportQuestion()))
        ViewEditor(services, *path);
}

void importMasterFile(Services& services, QWidget* parent, const MasterFile& file) {
    if (!services.prompts.askPlain(importQuestion(file.kind)))
        return;
    FileDialogRequest request;
    request.filter = QStringLiteral("Text (*.txt)|*.txt|Comma Separated Values (*.csv)|*.csv");
    request.directory = services.bookFolder();
    request.confirmOverwrite = false;
    const std::optional<QString> path = services.fileDialogs.openFileName(request);
    restoreCurrentDirectory(services);
    if (!path)
        return;
    const QString upper = path->toUpper();
    if (!upper.endsWith(QLatin1String("TXT")) && !upper.endsWith(QLatin1String("CSV")))
        return;

    MasterFileImport::Result result;
    {
        BusyScope busy(services.busy);
        // An import adds many rows at once: a verified backup of the book comes first.
        BookBackup::makeAutomatic(services.db, services.bookPath(), QStringLiteral("import"));
        WorkProgress progress(
            parent, QStringLiteral("Importing from %1 ...").arg(QFileInfo(*path).fileName()));
        MasterFileImport import(services.db, file);
        import.continueAfterDuplicate = [&](const QStringList& values) {
            // No hourglass over a question.
            services.busy.reset();
        const bool yes = services.prompts.ask(duplicateQuestion(file.kind, values));
        services.busy.set();
        return yes;
    };
    import.progress = [&](qint64 done, qint64 total) { return progress.update(done, total);
};
result = import.run(*path);
progress.finish();
}
services.prompts.information(Messages::recordsAdded(result.added));
}

void installMasterFileCommands(CommandBinder& commands) {
    Services& services = commands.services();
    QWidget* parent = commands.parentWindow();
    struct Binding {
        const char* name;
        bool isExport;
        MasterFile::Kind kind;
    };
    static const Binding bindings[] = {
        {"cmdExportCOA", true, MasterFile::Kind::Accounts},
        {"cmdExportCustomers", true, MasterFile::Kind::Customers},
        {"cmdExportVendors", true, MasterFile::Kind::Vendors},
        {"cmdImportCOA", false, MasterFile::Kind::Accounts},
        {"cmdImportCustomers", false, MasterFile::Kind::Customers},
        {"cmdImportVendors", false, MasterFile::Kind::Vendors},
    };
    for (const Binding& binding : bindings) {
        const MasterFile& file = MasterFile::of(binding.kind);
        if (binding.isExport)
            commands.bindCommand(QString::fromLatin1(binding.name), [&services, parent, &file] {
                exportMasterFile(services, parent, file);
            });
        else
            commands.bindCommand(QString::fromLatin1(binding.name), [&services, parent, &file] {
                importMasterFile(services, parent, file);
            });
    }
}
