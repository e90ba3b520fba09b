#include "masterfilecommands.h"

#include "data/failure.h"
#include "masterfiles/masterfileimport.h"
#include "masterfiles/masterfilewriter.h"
#include "masterfiles/workprogress.h"
#include "shell/services.h"
#include "shell/shellprocs.h"
#include "shell/switchboardwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace {

const QString crlf = QStringLiteral("\r\n");

QString cancelledNotice() {
    return QStringLiteral("The export operation was cancelled.") + crlf;
}

// The file dialog may have moved the current directory; windows that name the book
// without a directory rely on it being the application's.
void restoreCurrentDirectory(const Services& services) {
    QDir::setCurrent(services.appDir);
}

} // namespace

QString exportQuestion(MasterFile::Kind kind) {
    const QString question = crlf + crlf + QStringLiteral("Do you wish to continue?");
    switch (kind) {
    case MasterFile::Kind::Accounts:
        return QStringLiteral("This procedure exports the fields account codes, departments ") + crlf +
               QStringLiteral("and descriptions to a text file (*.txt).") + question;
    case MasterFile::Kind::Customers:
        return QStringLiteral("This procedure exports the fields Customer ID, Customer Name, ") + crlf +
               QStringLiteral("Address1, Address2, Address3, Address4 and Postal Code to a text "
                              "file (*.txt).") +
               question;
    case MasterFile::Kind::Vendors:
        break;
    }
    return QStringLiteral("This procedure exports the fields Vendor ID, Vendor Name, ") + crlf +
           QStringLiteral("Address1, Address2, Address3, Address4 and Postal Code to a text file "
                          "(*.txt).") +
           question;
}

QString importQuestion(MasterFile::Kind kind) {
    const QString tail =
        QStringLiteral("this would cause duplication. ") + crlf + crlf +
        QStringLiteral("Before this procedure can work, you must have already exported ") + crlf +
        QStringLiteral("eg from Accpac / Adagio those fields to a text file using comma delimited "
                       "format.") +
        crlf + crlf + QStringLiteral("Do you wish to continue?");
    if (kind == MasterFile::Kind::Accounts)
        return QStringLiteral("This procedure imports the fields account codes, departments ") + crlf +
               QStringLiteral("and descriptions from a text file (*.txt, *.csv).") + crlf + crlf +
               QStringLiteral("It will add the accounts to any existing accounts except where ") +
               crlf + tail;
    const bool customers = kind == MasterFile::Kind::Customers;
    return (customers ? QStringLiteral("This procedure imports the fields Customer Number, Customer Name,")
                      : QStringLiteral("This procedure imports the fields Vendor Number, Vendor Name,")) +
           crlf + QStringLiteral("Address1, Address2, Address3, Address4 and Postal Code from ") + crlf +
           QStringLiteral("a text file (*.txt, *.csv).") + crlf + crlf +
           (customers ? QStringLiteral("It will add the Customers to any existing records except where ")
                      : QStringLiteral("It will add the Vendors to any existing records except where ")) +
           crlf + tail;
}

QString duplicateQuestion(MasterFile::Kind kind, const QStringList& values) {
    const QString question = crlf + crlf + QStringLiteral("Do you wish to continue?");
    switch (kind) {
    case MasterFile::Kind::Accounts:
        return QStringLiteral("Account Code:  ") + values.value(0) + crlf +
               QStringLiteral("Dept Code:     ") + values.value(1) + crlf +
               QStringLiteral("Description:   ") + values.value(2) + crlf + crlf +
               QStringLiteral("is a duplicate and will not be imported.") + question;
    case MasterFile::Kind::Customers:
        return QStringLiteral("Customer ID:  ") + values.value(0) + crlf +
               QStringLiteral("Customer Name: ") + values.value(1) + crlf + crlf +
               QStringLiteral("appears to be a duplicate and will not be imported.") + question;
    case MasterFile::Kind::Vendors:
        break;
    }
    return QStringLiteral("Vendor ID:  ") + values.value(0) + crlf + QStringLiteral("Vendor Name: ") +
           values.value(1) + crlf + crlf +
           QStringLiteral("appears to be a duplicate and will not be imported.") + question;
}

bool ExportTextFile(Services& services, QWidget* parent, QSqlQuery& records, const QString& path,
                    qint64 expectedRows) {
    std::optional<qint64> written;
    {
        BusyScope busy(services.busy);
        WorkProgress progress(parent, QStringLiteral("Exporting to %1 ...").arg(QFileInfo(path).fileName()));
        try {
            written = MasterFileWriter::write(records, path, [&](qint64 rows) {
                return progress.update(rows, expectedRows);
            });
        } catch (const Failure& failure) {
            progress.finish();
            services.busy.reset();
            services.prompts.plain(QString::number(failure.number()) + QLatin1Char(' ') +
                                   failure.description());
            return false;
        }
    }
    if (!written) {
        services.prompts.information(cancelledNotice());
        return false;
    }
    services.prompts.information(QStringLiteral("Export File ") + path +
                                 QStringLiteral(" successfully created.") + crlf + crlf +
                                 QString::number(*written) + QStringLiteral(" records exported.") +
                                 crlf);
    return true;
}

void exportMasterFile(Services& services, QWidget* parent, const MasterFile& file) {
    if (!services.prompts.askPlain(exportQuestion(file.kind)))
        return;
    QSqlQuery records = services.db.exec(file.exportQuery);
    if (!records.next()) {
        services.prompts.information(QStringLiteral("There are no records to export."));
        return;
    }
    FileDialogRequest request;
    request.title = QStringLiteral("Save comma delimited export file");
    request.filter = QStringLiteral("Export Files (*.txt)|*.txt");
    request.defaultSuffix = QStringLiteral("txt");
    request.directory = services.appDir;
    request.fileName = QStringLiteral("Export.txt");
    request.confirmOverwrite = true;
    request.confirmCreate = true;
    const std::optional<QString> path = services.fileDialogs.saveFileName(request);
    restoreCurrentDirectory(services);
    if (!path) {
        services.prompts.information(cancelledNotice());
        return;
    }
    // The table name is the program's own, never the user's text.
    const qint64 rows =
        services.db.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + file.table).toLongLong();
    if (ExportTextFile(services, parent, records, *path, rows) &&
        services.prompts.ask(QStringLiteral("Would you like to view the contents of the exported file?")))
        ViewEditor(services, *path);
}

void importMasterFile(Services& services, QWidget* parent, const MasterFile& file) {
    if (!services.prompts.askPlain(importQuestion(file.kind)))
        return;
    FileDialogRequest request;
    request.filter = QStringLiteral("Text (*.txt)|*.txt|Comma Separated Values (*.csv)|*.csv");
    request.directory = services.appDir;
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
        WorkProgress progress(parent,
                              QStringLiteral("Importing from %1 ...").arg(QFileInfo(*path).fileName()));
        MasterFileImport import(services.db, file);
        import.continueAfterDuplicate = [&](const QStringList& values) {
            // No hourglass over a question.
            services.busy.reset();
            const bool yes = services.prompts.ask(duplicateQuestion(file.kind, values));
            services.busy.set();
            return yes;
        };
        import.progress = [&](qint64 done, qint64 total) { return progress.update(done, total); };
        result = import.run(*path);
        progress.finish();
    }
    services.prompts.information(QStringLiteral("Records Added:  ") + QString::number(result.added));
}

void installMasterFileCommands(SwitchboardWindow& switchboard) {
    Services& services = switchboard.services();
    QWidget* parent = &switchboard;
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
            switchboard.bindCommand(QString::fromLatin1(binding.name),
                                    [&services, parent, &file] { exportMasterFile(services, parent, file); });
        else
            switchboard.bindCommand(QString::fromLatin1(binding.name),
                                    [&services, parent, &file] { importMasterFile(services, parent, file); });
    }
}
