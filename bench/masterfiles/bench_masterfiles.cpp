// Times the customer export and import on 100,000 customers, through the same commands the
// main window's buttons run (confirmations answered by script, progress dialog included).
// Targets: export under 1 s, import under 3 s.

#include "data/messages.h"
#include "figures.h"
#include "masterfiles/masterfile.h"
#include "masterfiles/masterfilecommands.h"
#include "support/testbook.h"

#include <QApplication>
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

constexpr int kWidth = 44;

// Every expected box was shown, and no other.
bool promptsAsExpected(TestBook& book, int expected) {
    return book.prompts.pending() == 0 && book.prompts.shown().size() == expected;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir files;
    const QString path = files.filePath(QStringLiteral("Export.txt"));
    {
        TestBook book;
        fillCustomers(book);
        book.prompts.expect(Messages::exportCustomersQuestion(), Prompts::Answer::Yes)
            .expect(Messages::createFileQuestion(path), Prompts::Answer::Yes)
            .expect(Messages::exportSucceeded(path, kCustomers))
            .expect(Messages::viewExportQuestion(), Prompts::Answer::No);
        book.fileDialogs.answer(path);
        Figures exported;
        exported.add(
            timed([&] { exportMasterFile(book.services, nullptr, MasterFile::customers()); }));
        exported.check(promptsAsExpected(book, 4) && QFileInfo(path).size() > 0,
                       "export: not every customer exported");
        exported.report("Export 100,000 customers", 1000, kWidth);
        std::printf("  %-*s %6.1f MB\n", kWidth, "file size", double(QFileInfo(path).size()) / 1e6);
    }
    {
        TestBook book;
        book.prompts.expect(Messages::importCustomersQuestion(), Prompts::Answer::Yes)
            .expect(Messages::recordsAdded(kCustomers));
        book.fileDialogs.answer(path);
        Figures imported;
        imported.add(
            timed([&] { importMasterFile(book.services, nullptr, MasterFile::customers()); }));
        imported.check(
            promptsAsExpected(book, 2) &&
                book.value(QStringLiteral("SELECT COUNT(*) FROM tblCustomers")).toInt() ==
                    kCustomers,
            "import: not every customer imported");
        imported.report("Import 100,000 customers into an empty book", 3000, kWidth);
    }
    return benchStatus();
}
