#include "masterfiles/masterfileimport.h"
#include "masterfiles/workprogress.h"
#include "shell/switchboardwindow.h"
#include "support/testbook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using Answer = Prompts::Answer;

namespace {

// The people files' questions differ only in the kind's name.
QString exportPeopleQuestion(const QString& kind) {
    return "This procedure exports the fields " + kind + " ID, " + kind + " Name, \r\n"
           "Address1, Address2, Address3, Address4 and Postal Code to a text file (*.txt).\r\n\r\n"
           "Do you wish to continue?";
}
QString importPeopleQuestion(const QString& kind) {
    return "This procedure imports the fields " + kind + " Number, " + kind + " Name,\r\n"
           "Address1, Address2, Address3, Address4 and Postal Code from \r\n"
           "a text file (*.txt, *.csv).\r\n\r\n"
           "It will add the " + kind + "s to any existing records except where \r\n"
           "this would cause duplication. \r\n\r\n"
           "Before this procedure can work, you must have already exported \r\n"
           "eg from Accpac / Adagio those fields to a text file using comma "
           "delimited format.\r\n\r\nDo you wish to continue?";
}
const QString kExportCustomersQuestion = exportPeopleQuestion("Customer");
const QString kExportVendorsQuestion = exportPeopleQuestion("Vendor");
const QString kExportAccountsQuestion =
    "This procedure exports the fields account codes, departments \r\n"
    "and descriptions to a text file (*.txt).\r\n\r\nDo you wish to continue?";
const QString kImportCustomersQuestion = importPeopleQuestion("Customer");
const QString kImportVendorsQuestion = importPeopleQuestion("Vendor");
const QString kImportAccountsQuestion =
    "This procedure imports the fields account codes, departments \r\n"
    "and descriptions from a text file (*.txt, *.csv).\r\n\r\n"
    "It will add the accounts to any existing accounts except where \r\n" +
    kImportVendorsQuestion.mid(kImportVendorsQuestion.indexOf("this would"));

const QString kViewQuestion = "Would you like to view the contents of the exported file?";

// The first question each command asks.
QString questionOf(const QString& button) {
    static const QHash<QString, QString> questions = {
        {"cmdExportCOA", kExportAccountsQuestion}, {"cmdExportCustomers", kExportCustomersQuestion},
        {"cmdExportVendors", kExportVendorsQuestion}, {"cmdImportCOA", kImportAccountsQuestion},
        {"cmdImportCustomers", kImportCustomersQuestion}, {"cmdImportVendors", kImportVendorsQuestion}};
    return questions.value(button);
}

QString exportedNotice(const QString& path, qint64 count) {
    return "Export File " + path + " successfully created.\r\n\r\n" + QString::number(count) +
           " records exported.\r\n";
}

QString added(qint64 count) {
    return "Records Added:  " + QString::number(count);
}

QString duplicate(const QString& labels, const char* verb = "appears to be") {
    return labels + "\r\n\r\n" + verb +
           " a duplicate and will not be imported.\r\n\r\nDo you wish to continue?";
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// `count` lines "<prefix><n>,Name,,,,," ended by CR LF.
QByteArray numberedLines(const char* prefix, int count) {
    QByteArray file;
    for (int i = 1; i <= count; ++i)
        file += prefix + QByteArray::number(i) + ",Name,,,,,\r\n";
    return file;
}

// Rows as "a|b|c" lines, in key order, with Null shown as <null>.
QStringList rows(const Database& db, const QString& sql) {
    QSqlQuery query = db.exec(sql);
    QStringList out;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
        out << values.join(QLatin1Char('|'));
    }
    return out;
}

// Counts rows through a connection of its own: only committed rows are seen there.
qint64 committedCount(const QString& bookPath, const QString& table) {
    qint64 count = -1;
    {
        auto other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mf-check"));
        other.setDatabaseName(bookPath);
        if (other.open()) {
            QSqlQuery query(other);
            if (query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) && query.next())
                count = query.value(0).toLongLong();
        }
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mf-check"));
    return count;
}

const char* const kCustomerSelect =
    "SELECT CustID, CustName, Address1, Address2, Address3, Address4, PostalCode FROM "
    "tblCustomers ORDER BY CustID";
const char* const kVendorSelect =
    "SELECT VendorID, VendorName, Address1, Address2, Address3, Address4, PostalCode FROM "
    "tblVendors ORDER BY VendorID";
const char* const kAccountSelect =
    "SELECT AccountCode, DeptCode, AccountDescription, AcctDept FROM tblChartOfAccounts "
    "ORDER BY AccountCode, DeptCode";

// A book with the main window, whose buttons run the commands as the user's clicks do.
struct Fixture {
    Fixture() : book(std::make_unique<TestBook>()) {
        book->launcher.available << QStringLiteral("xdg-open");
        window = std::make_unique<SwitchboardWindow>(book->services);
    }
    void click(const QString& name) {
        auto* button = window->findChild<QAbstractButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QVERIFY2(button->isEnabled(), qPrintable(name));
        button->click();
    }
    // Runs an export to `path` that writes `count` records and declines the viewer.
    void exportTo(const QString& button, const QString& path, qint64 count) {
        book->prompts.expect(questionOf(button), Answer::Yes)
            .expect(exportedNotice(path, count))
            .expect(kViewQuestion, Answer::No);
        book->fileDialogs.answer(path);
        click(button);
        QVERIFY(book->prompts.verifyAllShown());
    }
    // Runs an import of `path` that adds `count` records without a question.
    void importFrom(const QString& button, const QString& path, qint64 count) {
        book->prompts.expect(questionOf(button), Answer::Yes).expect(added(count));
        book->fileDialogs.answer(path);
        click(button);
        QVERIFY(book->prompts.verifyAllShown());
    }
    QString path(const QString& name) const { return book->appDir() + QLatin1Char('/') + name; }
    std::unique_ptr<TestBook> book;
    std::unique_ptr<SwitchboardWindow> window;
};

// Watches for the progress dialog while the work runs; `onShown` gets each visible one.
struct ProgressWatcher {
    explicit ProgressWatcher(std::function<void(QProgressDialog*)> onShown) {
        QObject::connect(&timer, &QTimer::timeout, [onShown] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QProgressDialog*>(widget); dialog && dialog->isVisible())
                    onShown(dialog);
        });
        timer.start(0);
    }
    QTimer timer;
};

} // namespace

class TestMasterFiles : public QObject {
    Q_OBJECT
private slots:
    void init() { WorkProgress::showAfterMs = 500; }
    void cleanup() { WorkProgress::showAfterMs = 500; }

    void commandsAreBound();
    void exportOneRow_data();
    void exportOneRow();
    void exportFormatByteForByte();
    void exportEndsWithoutAFile_data();
    void exportEndsWithoutAFile();

    void importCases_data();
    void importCases();
    void importDialogAndNameCheck_data();
    void importDialogAndNameCheck();
    void importSameFileTwiceAsksForEveryLine_data();
    void importSameFileTwiceAsksForEveryLine();
    void importNoAfterDuplicateKeepsEarlierRecords();
    void importCommitsBeforeEveryQuestion();
    void importFailureKeepsEarlierRecords_data();
    void importFailureKeepsEarlierRecords();
    void roundTrip_data();
    void roundTrip();
    void progressCancel_data();
    void progressCancel();
    void quickWorkShowsNoProgress();
};

void TestMasterFiles::commandsAreBound() {
    // Every button is enabled: the other tests click them all through Fixture::click.
    Fixture f;
    // No: nothing else happens (no dialog, no file, no more boxes).
    f.book->prompts.expect(kExportCustomersQuestion, Answer::No);
    f.click("cmdExportCustomers");
    f.book->prompts.expect(kImportVendorsQuestion, Answer::No);
    f.click("cmdImportVendors");
    QVERIFY(f.book->fileDialogs.requests().isEmpty());
    QVERIFY(f.book->prompts.verifyAllShown());
    QCOMPARE(f.book->prompts.shown().size(), 2);
    for (const auto& box : f.book->prompts.shown()) {
        QCOMPARE(box.icon, Prompts::Icon::None);
        QCOMPARE(box.buttons, Prompts::Buttons::YesNo);
        QCOMPARE(box.defaultButton, Answer::No);
    }
}

void TestMasterFiles::exportOneRow_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("view");
    QTest::newRow("accounts, viewed")
        << "cmdExportCOA"
        << "INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription, AcctDept) "
           "VALUES (?, ?, ?, ?)"
        << QVariantList{"1000", "", "Bank, Current", "1000,"}
        << QByteArray("\"1000\",\"\",\"Bank, Current\"\r\n") << true;
    QTest::newRow("customers, not viewed")
        << "cmdExportCustomers" << "INSERT INTO tblCustomers VALUES (?, ?, ?, ?, ?, ?, ?)"
        << QVariantList{"C1", "Smith", QVariant(), "", "   ", "Town", "4000"}
        << QByteArray("\"C1\",\"Smith\",\"\",\"\",\"\",\"Town\",\"4000\"\r\n") << false;
    QTest::newRow("vendors, viewed")
        << "cmdExportVendors" << "INSERT INTO tblVendors VALUES (?, ?, ?, ?, ?, ?, ?)"
        << QVariantList{"V1", "Acme", "1 Road", "", "", "", ""}
        << QByteArray("\"V1\",\"Acme\",\"1 Road\",\"\",\"\",\"\",\"\"\r\n") << true;
}

void TestMasterFiles::exportOneRow() {
    QFETCH(QString, button);
    QFETCH(QString, insert);
    QFETCH(QVariantList, values);
    QFETCH(QByteArray, file);
    QFETCH(bool, view);
    Fixture f;
    f.book->sql(insert, values);
    const QString path = f.path("Export.txt");
    // An older, longer file there is replaced, not written over in part.
    writeFile(path, QByteArray("old line one\r\nold line two is longer than the new file\r\n"));
    QDir::setCurrent(QDir::tempPath());
    f.book->prompts.expect(questionOf(button), Answer::Yes)
        .expect(exportedNotice(path, 1))
        .expect(kViewQuestion, view ? Answer::Yes : Answer::No);
    f.book->fileDialogs.answer(path);
    f.click(button);
    QVERIFY(f.book->prompts.verifyAllShown());
    QCOMPARE(readAll(path), file);

    const FileDialogRequest request = f.book->fileDialogs.requests().value(0);
    QCOMPARE(request.defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(request.directory, f.book->appDir());
    QCOMPARE(request.fileName, QStringLiteral("Export.txt"));
    QVERIFY(request.confirmOverwrite && request.confirmCreate);
    QCOMPARE(QDir::current().canonicalPath(), QDir(f.book->appDir()).canonicalPath());

    const auto& shown = f.book->prompts.shown();
    QCOMPARE(shown.at(1).icon, Prompts::Icon::Information);
    QCOMPARE(shown.at(2).icon, Prompts::Icon::Question);
    QCOMPARE(shown.at(2).defaultButton, Answer::No);
    QCOMPARE(f.book->busy.setCount, 1);
    QVERIFY(!f.book->busy.isBusy());
    QCOMPARE(f.book->launcher.started.size(), view ? 1 : 0);
    if (view)
        QCOMPARE(f.book->launcher.started.at(0).arguments, QStringList{path});
}

void TestMasterFiles::exportFormatByteForByte() {
    Fixture f;
    const QString insert = "INSERT INTO tblCustomers VALUES (?, ?, ?, ?, ?, ?, ?)";
    f.book->sql(insert, {"C1", "  Smith, John  ", QVariant(), "     ", "He said \"hi\"", "", "4000 "});
    f.book->sql(insert, {"C2", "Café Müller", "a,b,c", "\"", " x ", "Line 4", QVariant()});
    f.book->sql(insert, {"C3", QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
    const QString path = f.path("customers.txt");
    f.exportTo("cmdExportCustomers", path, 3);
    // UTF-8 without a byte-order mark, every line ended by CR LF, every value quoted.
    const QByteArray expected = QString("\"C1\",\"Smith, John\",\"\",\"\",\"He said \"hi\"\",\"\",\"4000\"\r\n"
                                        "\"C2\",\"Café Müller\",\"a,b,c\",\"\"\",\"x\",\"Line 4\",\"\"\r\n"
                                        "\"C3\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n")
                                    .toUtf8();
    QCOMPARE(readAll(path), expected);
}

void TestMasterFiles::exportEndsWithoutAFile_data() {
    QTest::addColumn<QString>("answer"); // the save dialog's answer; "-" cancels, empty: no rows
    QTest::addColumn<QString>("notice");
    QTest::addColumn<int>("icon");
    QTest::newRow("empty table") << "" << "^There are no records to export\\.$"
                                 << int(Prompts::Icon::Information);
    QTest::newRow("dialog cancelled") << "-" << "^The export operation was cancelled\\.\r\n$"
                                      << int(Prompts::Icon::Information);
    // A plain box with the number and description of the failure.
    QTest::newRow("file cannot be created")
        << "no such folder/Export.txt"
        << "^75 The file .*no such folder/Export\\.txt could not be created: .+" << int(Prompts::Icon::None);
}

void TestMasterFiles::exportEndsWithoutAFile() {
    QFETCH(QString, answer);
    QFETCH(QString, notice);
    QFETCH(int, icon);
    Fixture f;
    if (!answer.isEmpty()) {
        f.book->sql("INSERT INTO tblVendors (VendorID, VendorName) VALUES ('V1', 'Acme')");
        f.book->fileDialogs.answer(answer == "-" ? std::nullopt : std::optional(f.path(answer)));
    }
    f.book->prompts.expect(kExportVendorsQuestion, Answer::Yes).expectMatch(notice);
    f.click("cmdExportVendors");
    QVERIFY(f.book->prompts.verifyAllShown());
    QCOMPARE(f.book->prompts.shown().size(), 2);
    QCOMPARE(int(f.book->prompts.shown().at(1).icon), icon);
    QCOMPARE(f.book->fileDialogs.requests().size(), answer.isEmpty() ? 0 : 1);
    QCOMPARE(QDir(f.book->appDir()).entryList({"*.txt"}), QStringList());
    QVERIFY(!f.book->busy.isBusy());
    QVERIFY(f.book->launcher.started.isEmpty());
}

void TestMasterFiles::importCases_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("select");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty last line ends normally")
        << "cmdImportCustomers"
        << QByteArray("\"C1\",\"Smith\",\"a1\",\"a2\",\"a3\",\"a4\",\"4000\"\r\n"
                      "\"C2\",\"Jones\",\"\",\"\",\"\",\"\",\"\"\r\n\r\n")
        << kCustomerSelect << QStringList{"C1|Smith|a1|a2|a3|a4|4000", "C2|Jones|||||"};
    QTest::newRow("unquoted account with empty department")
        << "cmdImportCOA" << QByteArray("1000,,Bank\r\n") << kAccountSelect
        << QStringList{"1000||Bank|1000,"};
    QTest::newRow("four quoted account values")
        << "cmdImportCOA" << QByteArray("\"1000\",\"00\",\"c\",\"d\"\r\n") << kAccountSelect
        << QStringList{"1000|00|c\",\"d|1000,00"};
    QTest::newRow("quoted name with a comma stays one name")
        << "cmdImportVendors" << QByteArray("\"V1\",\"Smith, John\",\"1 Road\",\"\",\"\",\"\",\"4000\"\r\n")
        << kVendorSelect << QStringList{"V1|Smith, John|1 Road||||4000"};
    QTest::newRow("line with too few values ends the import")
        << "cmdImportCustomers" << QByteArray("C1,One,,,,,\r\nC2,Two,,\r\nC3,Three,,,,,\r\n")
        << kCustomerSelect << QStringList{"C1|One|||||"};
    QTest::newRow("lines ended by LF alone, no quotes, nothing trimmed")
        << "cmdImportCustomers" << QByteArray("c1, Lower ,x,y,z,w,p\nC2,Two,,,,,last,with,commas")
        << kCustomerSelect << QStringList{"c1| Lower |x|y|z|w|p", "C2|Two|||||last,with,commas"};
    QTest::newRow("utf-8 with byte-order mark")
        << "cmdImportCustomers"
        << QByteArray("\xef\xbb\xbf\"C1\",\"Caf\xc3\xa9\",\"\",\"\",\"\",\"\",\"\"\r\n") << kCustomerSelect
        << QStringList{"C1|Café|||||"};
    // As written by an older package in the Western European code page.
    QTest::newRow("windows-1252 accented names")
        << "cmdImportVendors"
        << QByteArray("\"V1\",\"Caf\xe9 M\xfcller\",\"Stra\xdf" "e 5\",\"\",\"\",\"\",\"\"\r\n"
                      "\"V2\",\"Ni\xf1o \x96 \x93" "Best\x94\",\"\x80 100\",\"\",\"\",\"\",\"\"\r\n")
        << kVendorSelect
        << QStringList{QString::fromUtf8("V1|Café Müller|Straße 5||||"),
                       QString::fromUtf8("V2|Niño – “Best”|€ 100||||")};
    QTest::newRow("empty file") << "cmdImportVendors" << QByteArray() << kVendorSelect << QStringList{};
}

void TestMasterFiles::importCases() {
    QFETCH(QString, button);
    QFETCH(QByteArray, file);
    QFETCH(QString, select);
    QFETCH(QStringList, expected);
    Fixture f;
    const QString path = f.path("import.txt");
    writeFile(path, file);
    QDir::setCurrent(QDir::tempPath());
    f.importFrom(button, path, expected.size());
    QCOMPARE(rows(f.book->db, select), expected);
    QCOMPARE(f.book->prompts.shown().last().icon, Prompts::Icon::Information);
    QVERIFY(!f.book->busy.isBusy());
    QCOMPARE(QDir::current().canonicalPath(), QDir(f.book->appDir()).canonicalPath());

    const FileDialogRequest request = f.book->fileDialogs.requests().value(0);
    QCOMPARE(request.directory, f.book->appDir());
    QVERIFY(!request.confirmOverwrite);
}

void TestMasterFiles::importDialogAndNameCheck_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("imports");
    QTest::newRow("dialog cancelled") << "a.txt" << true << false;
    QTest::newRow("other ending") << "a.dat" << false << false;
    QTest::newRow("lower-case csv") << "a.csv" << false << true;
    QTest::newRow("upper-case TXT") << "A.TXT" << false << true;
}

void TestMasterFiles::importDialogAndNameCheck() {
    QFETCH(QString, name);
    QFETCH(bool, cancel);
    QFETCH(bool, imports);
    Fixture f;
    const QString path = f.path(name);
    writeFile(path, "1000,,Bank\r\n");
    f.book->prompts.expect(kImportAccountsQuestion, Answer::Yes);
    if (imports)
        f.book->prompts.expect(added(1));
    f.book->fileDialogs.answer(cancel ? std::nullopt : std::optional<QString>(path));
    f.click("cmdImportCOA");
    QVERIFY(f.book->prompts.verifyAllShown());
    QCOMPARE(f.book->prompts.shown().size(), imports ? 2 : 1);
    QCOMPARE(f.book->value("SELECT COUNT(*) FROM tblChartOfAccounts").toInt(), imports ? 1 : 0);
}

void TestMasterFiles::importSameFileTwiceAsksForEveryLine_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QString>("select");
    QTest::newRow("customers")
        << "cmdImportCustomers"
        << QByteArray("\"C1\",\"Smith, John\",\"\",\"\",\"\",\"\",\"\"\r\nc2,Jones,,,,,\r\n")
        << QStringList{duplicate("Customer ID:  C1\r\nCustomer Name: Smith, John"),
                       duplicate("Customer ID:  c2\r\nCustomer Name: Jones")}
        << kCustomerSelect;
    QTest::newRow("accounts, padded labels")
        << "cmdImportCOA" << QByteArray("\"4000\",\"sales\",\"Sales again\"\r\n")
        << QStringList{duplicate("Account Code:  4000\r\nDept Code:     sales\r\n"
                                 "Description:   Sales again", "is")}
        << kAccountSelect;
    QTest::newRow("vendors") << "cmdImportVendors" << QByteArray("V1,Acme Two,,,,,\r\n")
                             << QStringList{duplicate("Vendor ID:  V1\r\nVendor Name: Acme Two")}
                             << kVendorSelect;
}

void TestMasterFiles::importSameFileTwiceAsksForEveryLine() {
    QFETCH(QString, button);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, questions);
    QFETCH(QString, select);
    Fixture f;
    const QString path = f.path("import.txt");
    writeFile(path, file);
    f.importFrom(button, path, questions.size());
    const QStringList firstRun = rows(f.book->db, select);
    f.book->prompts.clear();

    f.book->prompts.expect(questionOf(button), Answer::Yes);
    for (const QString& question : questions)
        f.book->prompts.expect(question, Answer::Yes);
    f.book->prompts.expect(added(0));
    f.book->fileDialogs.answer(path);
    f.click(button);
    QVERIFY(f.book->prompts.verifyAllShown());
    QCOMPARE(f.book->prompts.shown().at(1).icon, Prompts::Icon::Question);
    QCOMPARE(f.book->prompts.shown().at(1).defaultButton, Answer::No);
    QCOMPARE(rows(f.book->db, select), firstRun);
}

void TestMasterFiles::importNoAfterDuplicateKeepsEarlierRecords() {
    Fixture f;
    f.book->sql("INSERT INTO tblCustomers (CustID, CustName) VALUES ('C2', 'Two')");
    const QString path = f.path("customers.csv");
    writeFile(path, "C1,One,,,,,\r\nc2,Two again,,,,,\r\nC3,Three,,,,,\r\n");
    // Codes compare without regard to case.
    f.book->prompts.expect(kImportCustomersQuestion, Answer::Yes)
        .expectMatch("^Customer ID:  c2\r\n", Answer::No)
        .expect(added(1));
    f.book->fileDialogs.answer(path);
    f.click("cmdImportCustomers");
    QVERIFY(f.book->prompts.verifyAllShown());
    QCOMPARE(rows(f.book->db, "SELECT CustID, CustName FROM tblCustomers ORDER BY CustID"),
             (QStringList{"C1|One", "C2|Two"}));
}

void TestMasterFiles::importCommitsBeforeEveryQuestion() {
    TestBook book;
    book.sql("INSERT INTO tblVendors (VendorID, VendorName) VALUES ('V2', 'Two'), ('V4', 'Four')");
    MasterFileImport import(book.db, MasterFile::vendors());
    // While each question is open, every record read before it is already in the book
    // for good: another connection sees it.
    QList<qint64> seen;
    import.continueAfterDuplicate = [&](const QStringList& values) {
        seen << committedCount(book.bookPath(), "tblVendors");
        return values.value(0) != QLatin1String("V4");
    };
    const MasterFileImport::Result result = import.run(
        QStringList{"V1,One,,,,,", "V2,Two,,,,,", "V3,Three,,,,,", "V4,Four,,,,,", "V5,Five,,,,,"});
    QCOMPARE(seen, (QList<qint64>{3, 4}));
    QCOMPARE(result.added, 2);
    QCOMPARE(result.stop, MasterFileImport::Stop::Declined);
    QCOMPARE(result.line, 4);
    // Committed at the stop too, and no transaction is left open.
    QCOMPARE(committedCount(book.bookPath(), "tblVendors"), 4);
    bool transactionOpen = false;
    try {
        book.sql("BEGIN IMMEDIATE");
        book.sql("ROLLBACK");
    } catch (const Failure&) {
        transactionOpen = true;
    }
    QVERIFY(!transactionOpen);
}

void TestMasterFiles::importFailureKeepsEarlierRecords_data() {
    QTest::addColumn<bool>("unreadable");
    QTest::newRow("record refused for another reason") << false;
    QTest::newRow("file cannot be read") << true;
}

void TestMasterFiles::importFailureKeepsEarlierRecords() {
    QFETCH(bool, unreadable);
    Fixture f;
    f.book->sql("CREATE TRIGGER refuseBad BEFORE INSERT ON tblVendors WHEN NEW.VendorID = 'BAD' "
                "BEGIN SELECT RAISE(ABORT, 'vendor refused'); END");
    const QString path = f.path("vendors.txt");
    if (unreadable)
        QVERIFY(QDir().mkpath(path));
    else
        writeFile(path, "V1,One,,,,,\r\nV2,Two,,,,,\r\nBAD,Bad,,,,,\r\nV3,Three,,,,,\r\n");
    const QString description = unreadable ? "The file .*vendors\\.txt could not be read: .*"
                                           : ".*vendor refused.*";
    f.book->prompts.expect(kImportVendorsQuestion, Answer::Yes)
        .expectMatch("^An error has occurred\\.\r\n\r\nError Number: -?\\d+\r\nError Description: " +
                     description + "\r\nForm: frmSwitchboard\r\nRoutine: cmdImportVendors$");
    f.book->fileDialogs.answer(path);
    f.click("cmdImportVendors");
    QVERIFY(f.book->prompts.verifyAllShown());
    QCOMPARE(f.book->prompts.shown().size(), 2);
    QVERIFY(!f.book->busy.isBusy());
    QCOMPARE(committedCount(f.book->bookPath(), "tblVendors"), unreadable ? 0 : 2);
}

void TestMasterFiles::roundTrip_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QList<QVariantList>>("records");
    QTest::addColumn<QString>("select");
    QTest::newRow("customers")
        << "Customers" << "INSERT INTO tblCustomers VALUES (?, ?, ?, ?, ?, ?, ?)"
        << QList<QVariantList>{{"001", "Smith, John", "1 \"The\" Lane", "", "Town, State", "", "4000"},
                               {"1", "Café Müller", "Straße", "a", "b", "c", "d,e"},
                               {"Z9", "O'Brien & Sons", "", "", "", "", ""}}
        << kCustomerSelect;
    QTest::newRow("vendors")
        << "Vendors" << "INSERT INTO tblVendors VALUES (?, ?, ?, ?, ?, ?, ?)"
        << QList<QVariantList>{{"V1", "Acme, Inc.", "PO Box 1", "", "", "", "2000"},
                               {"V2", "Niño – €", "", "", "", "", ""}}
        << kVendorSelect;
    QTest::newRow("accounts")
        << "COA"
        << "INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription) VALUES (?, ?, ?)"
        << QList<QVariantList>{{"1000", "", "Bank - Current Account"},
                               {"6100", "ADMIN", "Wages, Salaries"},
                               {"6100", "SALES", "Wages, Salaries"}}
        << "SELECT AccountCode, DeptCode, AccountDescription FROM tblChartOfAccounts ORDER BY "
           "AccountCode, DeptCode";
}

void TestMasterFiles::roundTrip() {
    QFETCH(QString, kind);
    QFETCH(QString, insert);
    QFETCH(QList<QVariantList>, records);
    QFETCH(QString, select);
    QTemporaryDir files;
    const QString path = files.filePath("Export.txt");
    QStringList before;
    {
        Fixture f;
        for (const QVariantList& record : records)
            f.book->sql(insert, record);
        before = rows(f.book->db, select);
        f.exportTo("cmdExport" + kind, path, records.size());
    }
    Fixture g;
    g.importFrom("cmdImport" + kind, path, records.size());
    QCOMPARE(rows(g.book->db, select), before);
}

void TestMasterFiles::progressCancel_data() {
    QTest::addColumn<bool>("isExport");
    QTest::newRow("export") << true;
    QTest::newRow("import") << false;
}

void TestMasterFiles::progressCancel() {
    QFETCH(bool, isExport);
    WorkProgress::showAfterMs = 0;
    Fixture f;
    const int count = 5000;
    const QString path = f.path("customers.txt");
    if (isExport) {
        f.book->sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                    "INSERT INTO tblCustomers (CustID, CustName) SELECT 'C' || i, 'Name' FROM n",
                    {count});
        f.book->prompts.expect(kExportCustomersQuestion, Answer::Yes)
            .expect("The export operation was cancelled.\r\n");
    } else {
        writeFile(path, numberedLines("C", count));
        f.book->prompts.expect(kImportCustomersQuestion, Answer::Yes)
            .expectMatch("^Records Added:  \\d+$");
    }
    f.book->fileDialogs.answer(path);

    // Presses Cancel on the progress dialog as soon as it shows.
    bool pressed = false;
    ProgressWatcher watcher([&](QProgressDialog* dialog) {
        QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
        if (auto* cancel = dialog->findChild<QPushButton*>(); cancel && !pressed) {
            pressed = true;
            cancel->click();
        }
    });
    f.click(isExport ? "cmdExportCustomers" : "cmdImportCustomers");
    watcher.timer.stop();
    QVERIFY(pressed);
    QVERIFY(f.book->prompts.verifyAllShown());
    QVERIFY(!f.book->busy.isBusy());
    if (isExport) {
        QVERIFY(!QFile::exists(path));
        QVERIFY(f.book->launcher.started.isEmpty());
    } else {
        const qint64 importedRows = committedCount(f.book->bookPath(), "tblCustomers");
        QVERIFY(importedRows > 0 && importedRows < count);
        QCOMPARE(f.book->prompts.shownTexts().last(), added(importedRows));
    }
}

void TestMasterFiles::quickWorkShowsNoProgress() {
    // Work of well under half a second never shows the dialog.
    Fixture f;
    const QString path = f.path("vendors.txt");
    writeFile(path, numberedLines("V", 300));
    bool shown = false;
    ProgressWatcher watcher([&](QProgressDialog*) { shown = true; });
    f.importFrom("cmdImportVendors", path, 300);
    QVERIFY(!shown);
}

QTEST_MAIN(TestMasterFiles)
#include "tst_masterfiles.moc"
