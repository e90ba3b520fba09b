// Times the customer export and import on 100,000 customers, through the same commands the
// main window's buttons run (confirmations answered by script, progress dialog included).
// Targets: export under 1 s, import under 3 s.

#include "data/messages.h"
#include "masterfiles/masterfile.h"
#include "masterfiles/masterfilecommands.h"
#include "support/testbook.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kCustomers = 100000;

void fillCustomers(TestBook& book) {
    book.sql(QStringLiteral(
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                 "INSERT INTO tblCustomers (CustID, CustName, Address1, Address2, Address3, "
                 "Address4, PostalCode) SELECT printf('C%05d', i), printf('Customer %d, Ltd', i), "
                 "printf('%d Long Street', i), 'Industrial Estate', 'Springfield', '', "
                 "printf('%04d', i % 10000) FROM n"),
             {kCustomers});
}

bool report(const char* what, qint64 ms, qint64 targetMs, const TestBook& book) {
    const bool ok = ms < targetMs && book.prompts.pending() == 0;
    std::printf("%-44s %6lld ms   (target < %lld ms) %s\n", what, static_cast<long long>(ms),
                static_cast<long long>(targetMs), ok ? "ok" : "MISSED");
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir files;
    const QString path = files.filePath(QStringLiteral("Export.txt"));
    bool ok = true;
    {
        TestBook book;
        fillCustomers(book);
        book.prompts.expect(Messages::exportCustomersQuestion(), Prompts::Answer::Yes)
            .expect(Messages::createFileQuestion(path), Prompts::Answer::Yes)
            .expect(Messages::exportSucceeded(path, kCustomers))
            .expect(Messages::viewExportQuestion(), Prompts::Answer::No);
        book.fileDialogs.answer(path);
        QElapsedTimer timer;
        timer.start();
        exportMasterFile(book.services, nullptr, MasterFile::customers());
        ok &= report("Export 100,000 customers", timer.elapsed(), 1000, book);
        std::printf("%-44s %6.1f MB\n", "  file size", double(QFileInfo(path).size()) / 1e6);
    }
    {
        TestBook book;
        book.prompts.expect(Messages::importCustomersQuestion(), Prompts::Answer::Yes)
            .expect(Messages::recordsAdded(kCustomers));
        book.fileDialogs.answer(path);
        QElapsedTimer timer;
        timer.start();
        importMasterFile(book.services, nullptr, MasterFile::customers());
        ok &= report("Import 100,000 customers into an empty book", timer.elapsed(), 3000, book);
        const qint64 rows = book.value(QStringLiteral("SELECT COUNT(*) FROM tblCustomers")).toLongLong();
        if (rows != kCustomers) {
            std::printf("  imported %lld rows, expected %d\n", static_cast<long long>(rows), kCustomers);
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
