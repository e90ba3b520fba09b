#include "data/messages.h"
#include "kit/workprogress.h"
#include "masterfiles/masterfile.h"
#include "masterfiles/masterfileimport.h"
#include "shell/switchboardwindow.h"
#include "support/datarows.h"
#include "support/filesizelimit.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QApplication>
#include <QDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using Answer = Prompts::Answer;

namespace {

const char* const kCustomers = "SELECT * FROM tblCustomers ORDER BY CustID";
const char* const kVendors = "SELECT * FROM tblVendors ORDER BY VendorID";
const char* const kAccounts = "SELECT * FROM tblChartOfAccounts ORDER BY AccountCode, DeptCode";
const char* const kAddCustomer = "INSERT INTO tblCustomers VALUES (?, ?, ?, ?, ?, ?, ?)";
const char* const kAddAccount = "INSERT INTO tblChartOfAccounts VALUES (?, ?, ?, ?)";

// A book with the main window, whose buttons run the commands as the user's clicks do.
struct Fixture {
    Fixture() : window(book.services) { book.launcher.available << QStringLiteral("xdg-open"); }

    // Clicks button; its question is answered `first` and the boxes after it `answer`
    // (a box starting with ^ is a pattern). The save or open dialog answers path: none
    // when it is empty, a cancel when it is "-".
    void run(const QString& button, const QString& path, const QStringList& boxes,
             Answer answer = Answer::Yes, Answer first = Answer::Yes) {
        static const QHash<QString, QString> questions = {
            {"cmdExportCOA", Messages::exportAccountsQuestion()},
            {"cmdExportCustomers", Messages::exportCustomersQuestion()},
            {"cmdExportVendors", Messages::exportVendorsQuestion()},
            {"cmdImportCOA", Messages::importAccountsQuestion()},
            {"cmdImportCustomers", Messages::importCustomersQuestion()},
            {"cmdImportVendors", Messages::importVendorsQuestion()}};
        book.prompts.expect(questions.value(button), first);
        for (const QString& box : boxes)
            book.prompts.expectBox(box, answer);
        // The save dialog's answers, one a time it is shown, split by "|".
        for (const QString& each : path.isEmpty() ? QStringList() : path.split('|'))
            book.fileDialogs.answer(each == "-" ? std::nullopt : std::optional(each));
        QVERIFY2(runCommand(&window, button), qPrintable(button));
        QVERIFY(book.prompts.verifyAllShown());
        QVERIFY(!book.busy.isBusy());
    }
    QString path(const QString& name) const { return book.appDir() + '/' + name; }
    // The files beside the book, but for the automatic backups an import makes first.
    QStringList files() const {
        QStringList names =
            QDir(book.appDir()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        names.removeOne(QStringLiteral("backups"));
        return names;
    }
    TestBook book;
    SwitchboardWindow window;
};

// A figure of /proc/self/status in KiB, 0 when it cannot be read.
qint64 statusKiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').first().toLongLong();
    return 0;
}

} // namespace

class TestMasterFiles : public QObject {
    Q_OBJECT
private slots:
    void init() { WorkProgress::showAfterMs = 500; }

    // Blanks trimmed (tabs kept), inner quotes and commas kept, Null and blanks empty.
    void exportFormatByteForByte() {
        Fixture f;
        f.book.sql(kAddCustomer, {"C1", "  Smith, John  ", QVariant(), "     ", "He said \"hi\"",
                                  "\tTab ", "4000 "});
        f.book.sql(kAddCustomer, {"C2", "Café Müller", "a,b,c", "\"", " x ", "Line 4", QVariant()});
        f.book.sql("INSERT INTO tblCustomers (CustID) VALUES ('C3')");
        const QString path = f.path("Export.txt");
        // An older, longer file is replaced, without the question about creating a file.
        writeFile(path, "old line one\r\nold line two is longer than the new file\r\n");
        QDir::setCurrent(QDir::tempPath());
        f.run("cmdExportCustomers", path,
              {Messages::exportSucceeded(path, 3), Messages::viewExportQuestion()}, Answer::No);
        QCOMPARE(
            fileBytes(path), // UTF-8 without a byte-order mark
            QString("\"C1\",\"Smith, John\",\"\",\"\",\"He said \"hi\"\",\"\tTab\",\"4000\"\r\n"
                    "\"C2\",\"Café Müller\",\"a,b,c\",\"\"\",\"x\",\"Line 4\",\"\"\r\n"
                    "\"C3\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n")
                .toUtf8());
        const FileDialogRequest request = f.book.fileDialogs.requests().value(0);
        QCOMPARE(request.defaultSuffix + '|' + request.fileName + '|' + request.directory,
                 "txt|Export.txt|" + f.book.appDir());
        QCOMPARE(QDir::current().canonicalPath(), QDir(f.book.appDir()).canonicalPath());
        QList<QPair<Prompts::Icon, Answer>> boxes;
        for (const auto& box : f.book.prompts.shown())
            boxes << qMakePair(box.icon, box.defaultButton);
        QCOMPARE(boxes,
                 (QList<QPair<Prompts::Icon, Answer>>{{Prompts::Icon::None, Answer::No},
                                                      {Prompts::Icon::Information, Answer::Ok},
                                                      {Prompts::Icon::Question, Answer::No}}));
        QCOMPARE(f.book.busy.setCount, 1);
        QVERIFY(f.book.launcher.started.isEmpty());
    }

    // Nothing is written, and an earlier file of that name stays as it was. Rows without boxes
    // choose the book or one of its working files, by name, through a link or by another
    // spelling, existing or not: the export is refused.
    void exportWritesNothing_data() {
        // answer: the save dialog's; "@" is the book's folder; "name>target" answers a link made
        // first. yes: the answer to every question after the first.
        columns<bool, QString, QStringList, bool, bool>("records", "answer", "boxes", "yes",
                                                        "diskFull");
        auto row = [](const char* name, const char* answer, const QStringList& boxes = {},
                      bool yes = false, bool records = true, bool diskFull = false) {
            QTest::newRow(name) << records << QString(answer) << boxes << yes << diskFull;
        };
        row("question declined", "");
        row("empty table", "", {Messages::noRecordsToExport()}, false, false);
        row("dialog cancelled", "-", {Messages::exportCancelled()});
        // The question belongs to the dialog: No shows the dialog again.
        row("new file not created: the dialog again", "@/new.txt|-",
            {Messages::createFileQuestion("@/new.txt"), Messages::exportCancelled()});
        row("folder missing", "@/none/Export.txt",
            {Messages::createFileQuestion("@/none/Export.txt"),
             "^75 The file .*/none/Export\\.txt could not be created: .+"},
            true);
        row("disk full part of the way", "@/Export.txt",
            {"^57 The file .*/Export\\.txt could not be written: .+"}, true, true, true);
        row("the book", "@/cashbook.mdb");
        row("another path", "@/./cashbook.mdb");
        row("link", "link>cashbook.mdb");
        row("journal", "@/cashbook.mdb-journal");
        row("link to the log, not there yet", "log>cashbook.mdb-wal");
    }

    void exportWritesNothing() {
        auto [records, answer, boxes, yes, diskFull] =
            fetch<bool, QString, QStringList, bool, bool>("records", "answer", "boxes", "yes",
                                                          "diskFull");
        Fixture f;
        if (records)
            f.book.sql("INSERT INTO tblVendors (VendorID, VendorName) VALUES ('V1', 'Acme')");
        if (answer.contains('>')) {
            QVERIFY(QFile::link(answer.section('>', 1), f.path(answer.section('>', 0, 0))));
            answer = "@/" + answer.section('>', 0, 0);
        }
        answer.replace('@', f.book.appDir());
        boxes.replaceInStrings("@", f.book.appDir());
        if (boxes.isEmpty() && !answer.isEmpty())
            boxes << Messages::exportOverBook(answer);
        writeFile(f.path("Export.txt"), "earlier\r\n");
        const QByteArray bookBytes = fileBytes(f.book.bookPath());
        const QStringList files = f.files();
        {
            std::optional<FileSizeLimit> limit;
            if (diskFull)
                limit.emplace(10);
            f.run("cmdExportVendors", answer, boxes, yes ? Answer::Yes : Answer::No,
                  answer.isEmpty() && boxes.isEmpty() ? Answer::No : Answer::Yes);
        }
        QCOMPARE(f.book.fileDialogs.requests().size(),
                 answer.isEmpty() ? 0 : answer.count('|') + 1);
        QCOMPARE(fileBytes(f.book.bookPath()), bookBytes);
        QCOMPARE(fileBytes(f.path("Export.txt")), QByteArray("earlier\r\n"));
        QCOMPARE(f.files(), files);
        QVERIFY(f.book.launcher.started.isEmpty());
    }

    void importCases_data() {
        // name: the file chosen; empty declines the question, "-" cancels, and one ending in "/"
        // is a folder
        columns<QString, QString, QByteArray, QStringList, QStringList>("button", "name", "file",
                                                                        "boxes", "expected");
        auto row = [](const char* name, const char* button, const char* file,
                      const QByteArray& bytes, const QStringList& boxes,
                      const QStringList& expected) {
            QTest::newRow(name) << QString(button) << QString(file) << bytes << boxes << expected;
        };
        const auto failure = [](const QString& description) {
            return QStringList{"^An error has occurred\\.\r\n\r\nError Number: -?\\d+\r\nError "
                               "Description: " +
                               description +
                               "\r\nForm: frmSwitchboard\r\nRoutine: cmdImportVendors$"};
        };
        row("empty last line ends normally", "cmdImportCustomers", "a.txt",
            "\"C1\",\"Smith\",\"a1\",\"a2\",\"a3\",\"a4\",\"4\"\r\nC2,Jones,,,,,\r\n\r\n",
            {Messages::recordsAdded(2)}, {"C1|Smith|a1|a2|a3|a4|4", "C2|Jones|||||"});
        row("unquoted account, empty department, upper-case TXT", "cmdImportCOA", "A.TXT",
            "1000,,Bank\n", {Messages::recordsAdded(1)}, {"1000||Bank|1000,"});
        row("too few values end the import, lower-case csv", "cmdImportVendors", "a.csv",
            "V1,One,,,,,\r\nV2,Two,,\r\nV3,,,,,,\r\n", {Messages::recordsAdded(1)},
            {"V1|One|||||"});
        row("empty file", "cmdImportVendors", "a.txt", "", {Messages::recordsAdded(0)}, {});
        // A failure ends the import without the count; the records added before stay.
        row("record refused for another reason", "cmdImportVendors", "a.txt",
            "V1,One,,,,,\r\nBAD,,,,,,\r\nV3,,,,,,\r\n", failure(".*vendor refused.*"),
            {"V1|One|||||"});
        row("file cannot be read", "cmdImportVendors", "a.txt/", "",
            failure("The file .*a\\.txt could not be read: .*"), {});
        row("other ending", "cmdImportCOA", "a.dat", "1000,,Bank\r\n", {}, {});
        row("dialog cancelled", "cmdImportCOA", "-", "1000,,Bank\r\n", {}, {});
        row("question declined", "cmdImportCOA", "", "1000,,Bank\r\n", {}, {});
    }

    void importCases() {
        auto [button, name, file, boxes, expected] =
            fetch<QString, QString, QByteArray, QStringList, QStringList>("button", "name", "file",
                                                                          "boxes", "expected");
        Fixture f;
        f.book.sql("CREATE TRIGGER refuseBad BEFORE INSERT ON tblVendors WHEN NEW.VendorID = 'BAD' "
                   "BEGIN SELECT RAISE(ABORT, 'vendor refused'); END");
        const QString path = name.size() > 1 ? f.path(name).remove(QRegularExpression("/$")) : name;
        if (name.endsWith('/'))
            QVERIFY(QDir().mkpath(path));
        else
            writeFile(f.path(name.size() > 1 ? name : "a.txt"), file);
        QDir::setCurrent(QDir::tempPath());
        // Work of well under half a second never shows the progress dialog.
        QTimer watch;
        bool progressShown = false;
        connect(&watch, &QTimer::timeout,
                [&] { progressShown |= bool(QApplication::activeModalWidget()); });
        watch.start(0);
        f.run(button, path, boxes, Answer::Yes, name.isEmpty() ? Answer::No : Answer::Yes);
        const char* table = button == "cmdImportCOA"       ? kAccounts
                            : button == "cmdImportVendors" ? kVendors
                                                           : kCustomers;
        QCOMPARE(f.book.rows(table), expected);
        QVERIFY(!progressShown);
        QCOMPARE(f.book.fileDialogs.requests().size(), name.isEmpty() ? 0 : 1);
        if (!boxes.isEmpty()) {
            QCOMPARE(QDir::current().canonicalPath(), QDir(f.book.appDir()).canonicalPath());
            QCOMPARE(f.book.fileDialogs.requests().value(0).directory, f.book.appDir());
        }
    }

    // A file exported from one book reads back into another unchanged; read again, every line
    // is offered as a duplicate and nothing is added.
    void roundTripThenDuplicates_data() {
        columns<QString, QString, QList<QVariantList>, QString, QStringList>(
            "kind", "insert", "records", "select", "duplicates");
        addRow("customers", "Customers", kAddCustomer,
               QList<QVariantList>{
                   {"001", "Smith, John", "1 \"The\" Lane", "", "Town, State", "", "d,e"},
                   {"c2", "Café Müller", "Straße", "", "", "", ""}},
               kCustomers,
               QStringList{Messages::duplicateCustomer("001", "Smith, John"),
                           Messages::duplicateCustomer("c2", "Café Müller")});
        addRow("accounts", "COA", kAddAccount,
               QList<QVariantList>{{"6100", "ADMIN", "Wages, Salaries", "6100,ADMIN"}}, kAccounts,
               QStringList{Messages::duplicateAccount("6100", "ADMIN", "Wages, Salaries")});
        addRow("vendors", "Vendors", "INSERT INTO tblVendors VALUES (?, ?, ?, ?, ?, ?, ?)",
               QList<QVariantList>{{"V1", "Acme, Inc.", "", "", "", "", "2000"}}, kVendors,
               QStringList{Messages::duplicateVendor("V1", "Acme, Inc.")});
    }

    void roundTripThenDuplicates() {
        auto [kind, insert, records, select, duplicates] =
            fetch<QString, QString, QList<QVariantList>, QString, QStringList>(
                "kind", "insert", "records", "select", "duplicates");
        QTemporaryDir files;
        const QString path = files.filePath("Export.txt");
        QStringList before;
        {
            Fixture f;
            for (const QVariantList& record : records)
                f.book.sql(insert, record);
            before = f.book.rows(select);
            f.run("cmdExport" + kind, path,
                  {Messages::createFileQuestion(path),
                   Messages::exportSucceeded(path, records.size()),
                   Messages::viewExportQuestion()});
        }
        Fixture g;
        g.run("cmdImport" + kind, path, {Messages::recordsAdded(records.size())});
        QCOMPARE(g.book.rows(select), before);
        g.book.prompts.clear();
        g.run("cmdImport" + kind, path, duplicates + QStringList{Messages::recordsAdded(0)});
        QCOMPARE(g.book.prompts.shown().at(1).icon, Prompts::Icon::Question);
        QCOMPARE(g.book.prompts.shown().at(1).defaultButton, Answer::No);
        QCOMPARE(g.book.prompts.shown().last().icon, Prompts::Icon::Information);
        QCOMPARE(g.book.rows(select), before);
    }

    void importCommitsBeforeEveryQuestion() {
        TestBook book;
        // Codes compare without regard to case.
        book.sql(
            "INSERT INTO tblVendors (VendorID, VendorName) VALUES ('v2', 'Two'), ('V4', 'Four')");
        MasterFileImport importer(book.db, MasterFile::vendors());
        // While each question is open, every record read before it is in the book for good:
        // no transaction is open (a new one can begin).
        QList<qint64> seen;
        importer.continueAfterDuplicate = [&](const QStringList& values) {
            book.sql("BEGIN IMMEDIATE");
            book.sql("ROLLBACK");
            seen << book.value("SELECT COUNT(*) FROM tblVendors").toLongLong();
            return values.value(0) != QLatin1String("V4");
        };
        const MasterFileImport::Result result =
            importer.run(QStringList{"V1,,,,,,", "V2,,,,,,", "V3,,,,,,", "V4,,,,,,", "V5,,,,,,"});
        QCOMPARE(seen, (QList<qint64>{3, 4}));
        QCOMPARE(result.added, 2);
        QCOMPARE(result.stop, MasterFileImport::Stop::Declined);
        QCOMPARE(result.line, 4);
        book.sql("BEGIN IMMEDIATE"); // and none is left open at the stop
        book.sql("ROLLBACK");
    }

    // Cancel on the progress dialog: an export leaves an earlier file of the name as it
    // was, an import keeps the records added before.
    void progressCancel_data() {
        columns<bool>("isExport");
        addRow("export", true);
        addRow("import", false);
    }

    void progressCancel() {
        const bool isExport = std::get<0>(fetch<bool>("isExport"));
        WorkProgress::showAfterMs = 0;
        Fixture f;
        const int count = 5000;
        const QString path = f.path("customers.txt");
        QByteArray file = "C0,Earlier,,,,,\r\n";
        for (int i = 1; !isExport && i <= count; ++i)
            file += "C" + QByteArray::number(i) + ",Name,,,,,\r\n";
        writeFile(path, file);
        if (isExport)
            f.book.sql(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                "INSERT INTO tblCustomers (CustID, CustName) SELECT 'C' || i, 'Name' FROM n",
                {count});
        const QStringList files = f.files();
        QTimer watch; // presses Cancel as soon as the progress dialog shows
        connect(&watch, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()))
                if (auto* cancel = dialog->findChild<QPushButton*>())
                    cancel->click();
        });
        watch.start(0);
        f.run(isExport ? "cmdExportCustomers" : "cmdImportCustomers", path,
              {isExport ? Messages::exportCancelled() : "^Records Added:  \\d+$"});
        QCOMPARE(fileBytes(path), file);
        QCOMPARE(f.files(), files);
        QVERIFY(f.book.launcher.started.isEmpty());
        const qint64 imported = f.book.value("SELECT COUNT(*) FROM tblCustomers").toLongLong();
        if (!isExport)
            QVERIFY(imported > 0 && imported < count);
        QCOMPARE(f.book.prompts.shownTexts().last(),
                 isExport ? Messages::exportCancelled() : Messages::recordsAdded(imported));
    }

    // A 24 MB file: read whole it would cost several times its size; read a line at a time the
    // process's peak stays within a fraction of it.
    void largeImportKeepsMemoryFlat() {
        TestBook book;
        // The book's page cache is bounded by its own setting; kept small here, what grows is
        // the import's own memory.
        book.sql(QStringLiteral("PRAGMA cache_size = -2000"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vendors.txt"));
        const qint64 lines = 80000;
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            const QByteArray name(250, 'n');
            for (qint64 i = 0; i < lines; ++i)
                file.write("\"V" + QByteArray::number(i) + "\",\"" + name +
                           "\",\"1 Road\",\"\",\"\",\"\",\"0001\"\r\n");
        }
        const qint64 fileKiB = QFileInfo(path).size() / 1024;
        // Resets the peak to what the process holds now.
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
            QSKIP("the peak memory of the process cannot be reset here");
        clear.close();
        const qint64 before = statusKiB("VmRSS:");

        MasterFileImport import(book.db, MasterFile::of(MasterFile::Kind::Vendors));
        const MasterFileImport::Result result = import.run(path);

        const qint64 grown = statusKiB("VmHWM:") - before;
        QCOMPARE(result.added, lines);
        QVERIFY2(grown < fileKiB / 3,
                 qPrintable(QStringLiteral("the peak grew by %1 KiB for a file "
                                           "of %2 KiB")
                                .arg(grown)
                                .arg(fileKiB)));
    }
};

QTEST_MAIN(TestMasterFiles)
#include "tst_masterfiles.moc"
