// Start-up: Main with no book, with a file it refuses or cannot use, with a book of an
// earlier build (brought up to date, the user told), and with a good book, whose main window
// shows the company panel upper-cased and fixes the current directory; the command line and
// the choice of book.
#include "data/bookaccess.h"
#include "data/bookbackup.h"
#include "data/bookcheck.h"
#include "data/booklock.h"
#include "data/messages.h"
#include "data/schema.h"
#include "shell/backgroundbookcheck.h"
#include "shell/bookbackupcommands.h"
#include "shell/booksession.h"
#include "shell/commandline.h"
#include "shell/compactdatabase.h"
#include "shell/startup.h"
#include "shell/switchboardwindow.h"
#include "support/datarows.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTest>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QWidgetList visibleWindows() {
    QWidgetList shown;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            shown << widget;
    return shown;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void unusableBook_data();
    void unusableBook();
    void earlierBuildUpgraded();
    void mainWindow();
    void bookOpenedWithoutChange_data();
    void bookOpenedWithoutChange();
    void lookingWindows_data();
    void lookingWindows();
    void damagedPagesReported_data();
    void damagedPagesReported();
    void writeStopsTheCheck();
    void bookOpenInAnotherProgram_data();
    void bookOpenInAnotherProgram();
    void commandLine_data();
    void commandLine();
    void bookChosen_data();
    void bookChosen();
};

// No book where it is named (one of that name in the current directory does not count),
// or a refused file, each named in a message of their own; any other failure is the error
// report labelled "Main". Either way: no window, the connection closed, the file as it was.
void TestStartup::unusableBook_data() {
    columns<QString>("damage");
    addRow("newer format", "PRAGMA user_version = 99");
    addRow("negative format version", "PRAGMA user_version = -1");
    addRow("missing field", "ALTER TABLE tblSystemSetup DROP COLUMN VersionType");
    addRow("a trigger of its own", "CREATE TRIGGER trgHostile AFTER INSERT ON tblCashbook BEGIN "
                                   "DELETE FROM tblVendors; END");
    addRow("no book", "absent");
    addRow("locked by another program", "lock");
    addRow("changes in the log, read-only folder", "log");
}

void TestStartup::unusableBook() {
    const auto [damage] = fetch<QString>("damage");
    TestBook book(TestBook::Open::No);
    const QString path = book.bookPath();
    QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "locker");
    locker.setDatabaseName(path);
    std::optional<QSqlQuery> lock;
    const QString elsewhere = QDir::currentPath();
    if (damage == QLatin1String("absent")) {
        QVERIFY(QDir().mkpath(book.appDir() + QStringLiteral("/My Books/Quillan 2003")));
        book.services.book = book.appDir() + QStringLiteral("/My Books/Quillan 2003/cashbook.mdb");
        QDir::setCurrent(book.appDir());
    } else if (damage == QLatin1String("lock")) {
        QVERIFY(locker.open());
        lock.emplace(locker);
        QVERIFY(lock->exec(QStringLiteral("BEGIN EXCLUSIVE")));
    } else if (damage == QLatin1String("log")) {
        // A write-ahead book whose last change is still in its log, as a program cut short
        // leaves it, in a folder that may not be written: the change cannot be read.
        changeFile(path, {"PRAGMA journal_mode = WAL"});
        QVERIFY(locker.open());
        lock.emplace(locker);
        QVERIFY(lock->exec(QStringLiteral("PRAGMA wal_autocheckpoint = 0")));
        QVERIFY(lock->exec(QStringLiteral("UPDATE tblSystemSetup SET CompanyName = 'Logged'")));
        QVERIFY(QFile::copy(path + "-wal", path + "-kept"));
        lock.reset();
        locker.close();
        QFile::remove(path + "-wal");
        QVERIFY(QFile::rename(path + "-kept", path + "-wal"));
        QVERIFY(QFile::setPermissions(book.appDir(), QFile::ReadOwner | QFile::ExeOwner));
    } else {
        changeFile(path, {damage});
    }
    const QByteArray before = fileBytes(path);
    if (damage == QLatin1String("absent"))
        book.prompts.expect(Messages::missingBook(book.services.bookPath()));
    else if (damage.endsWith(QLatin1String("= 99")))
        book.prompts.expect(Messages::newerBook(path));
    else if (damage.endsWith(QLatin1String("= -1")))
        book.prompts.expect(Messages::unknownBookFormat(path, -1));
    else if (damage.startsWith(QLatin1String("ALTER")))
        book.prompts.expect(Messages::bookNotAsMade(
            path, {Messages::schemaMissing("field", "tblSystemSetup.VersionType")}));
    else if (damage.startsWith(QLatin1String("CREATE")))
        book.prompts.expect(
            Messages::bookNotAsMade(path, {Messages::schemaExtra("trigger", "trgHostile")}));
    else if (damage == QLatin1String("log"))
        book.prompts.expect(Messages::bookLogUnreadable(BookAccess::realPath(path)));
    else
        book.prompts.expectMatch(QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: "
                                                "-?[0-9]+\r\nError Description: [^\r\n]+\r\n"
                                                "Routine: Main$"));
    auto window = Main(book.services);
    QDir::setCurrent(elsewhere);

    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().first().icon, Prompts::Icon::Critical);
    QVERIFY(!window);
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(damage != QLatin1String("absent") || !QFile::exists(book.services.bookPath()));
    QVERIFY(!book.db.isOpen());
    QVERIFY(!book.busy.isBusy());
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(QDir(book.appDir()).entryList({QStringLiteral("*before-format*")}), QStringList());
    if (damage == QLatin1String("lock")) {
        QVERIFY(book.prompts.shownTexts().first().contains(QLatin1String("locked")));
        // Once the other program lets go, the book opens.
        QVERIFY(lock->exec(QStringLiteral("ROLLBACK")));
        QVERIFY(Main(book.services));
    }
    lock.reset();
    locker.close();
    locker = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    QFile::setPermissions(book.appDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The user is told where the copy of the book is kept and which accounts to merge, then
// works in the upgraded book.
void TestStartup::earlierBuildUpgraded() {
    TestBook book(TestBook::Open::No);
    QVERIFY(QFile::remove(book.bookPath()));
    writeEarlierBuildBook(book.bookPath());
    changeFile(book.bookPath(), {"INSERT INTO tblChartOfAccounts (AccountCode, DeptCode) VALUES "
                                 "('2000', ''), ('2000', ' '), ('1000', ' '), ('1000', '')"});
    const QString copy = BookFormat::copyPathFor(book.bookPath(), 0);
    book.prompts.expect(Messages::bookUpgraded(copy))
        .expect(Messages::mergeAccounts({QStringLiteral("1000"), QStringLiteral("2000")}));
    auto window = Main(book.services);
    QVERIFY(book.prompts.verifyAllShown());
    QVERIFY(window && window->isVisible());
    QVERIFY(QFile::exists(copy));
}

// The company shown upper-cased, a Null as empty; the current directory becomes the
// application directory even when started from elsewhere.
void TestStartup::mainWindow() {
    TestBook book;
    book.sql("UPDATE tblSystemSetup SET CompanyName = ?, Address1 = NULL",
             {QString::fromUtf8("caf\xc3\xa9 traders ltd")});
    book.db.close();
    const QString elsewhere = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QDir::rootPath()));
    auto window = Main(book.services);
    const QString current = QDir::currentPath();
    QDir::setCurrent(elsewhere);

    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(window->windowState().testFlag(Qt::WindowMaximized));
    QCOMPARE(visibleWindows(), QWidgetList{window.get()});
    QCOMPARE(QDir(current).canonicalPath(), QDir(book.appDir()).canonicalPath());
    QCOMPARE(window->findChild<QLineEdit*>("txtCompanyName")->text(),
             QString::fromUtf8("CAF\xc3\x89 TRADERS LTD"));
    QCOMPARE(window->findChild<QLineEdit*>("txtAddress1")->text(), QString());
    QCOMPARE(book.prompts.shown().size(), 0);
}

// A book in write-ahead mode is not rewritten until the first write; one the user may not
// change opens read-only, the user told, with only the reading commands enabled.
void TestStartup::bookOpenedWithoutChange_data() {
    columns<bool, QString>("wal", "readOnly"); // readOnly: "", "file" or "folder"
    addRow("write-ahead book", true, "");
    addRow("read-only book", false, "file");
    addRow("read-only folder", false, "folder");
    addRow("write-ahead book, read-only folder", true, "folder");
}

void TestStartup::bookOpenedWithoutChange() {
    const auto [wal, readOnly] = fetch<bool, QString>("wal", "readOnly");
    TestBook book(TestBook::Open::No);
    const QString path = book.bookPath();
    if (wal)
        changeFile(path, {"PRAGMA journal_mode = WAL"});
    const QByteArray before = fileBytes(path);
    const auto readable = QFile::ReadOwner | QFile::ExeOwner;
    if (readOnly == QLatin1String("file"))
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    else if (readOnly == QLatin1String("folder"))
        QVERIFY(QFile::setPermissions(book.appDir(), readable));
    if (!readOnly.isEmpty())
        book.prompts.expect(Messages::bookOpenedReadOnly(path));
    const QStringList files = QDir(book.appDir()).entryList(QDir::Files);

    auto window = Main(book.services);

    QVERIFY(window);
    QVERIFY(book.prompts.verifyAllShown());
    auto* check = window->findChild<BackgroundBookCheck*>();
    QVERIFY(check);
    QTRY_VERIFY(check->isDone());
    QCOMPARE(book.prompts.shown().size(), readOnly.isEmpty() ? 0 : 1); // no damage reported
    QCOMPARE(fileBytes(path), before);
    // Nothing is made beside a book whose folder may not be changed.
    if (readOnly == QLatin1String("folder"))
        QCOMPARE(QDir(book.appDir()).entryList(QDir::Files), files);
    QCOMPARE(book.db.isReadOnly(), !readOnly.isEmpty());
    const auto enabled = [&](const char* name) {
        if (auto* button = window->findChild<QAbstractButton*>(name))
            return button->isEnabled();
        return window->findChild<QAction*>(name)->isEnabled();
    };
    for (const char* name : {"cmdPEProcessing", "cmdCompanyDetails", "cmdImportVendors",
                             "mnuToolsCompactDatabase", "mnuDataEntryFiscalYearAndBankDetails"})
        QVERIFY2(enabled(name) == readOnly.isEmpty(), name);
    for (const char* name : {"cmdExportVendors", "mnuHelpSystem", "cmdQuit", "mnuToolsCalculator",
                             "cmdCashbook", "mnuDataEntryCustomers"})
        QVERIFY2(enabled(name), name);
    const QString change = QStringLiteral("UPDATE tblSystemSetup SET CompanyName = 'Changed'");
    if (readOnly.isEmpty()) {
        book.db.execute(change);
        QCOMPARE(book.db.scalar("PRAGMA journal_mode").toString(), QStringLiteral("delete"));
    } else {
        QVERIFY_THROWS_EXCEPTION(Failure, book.db.execute(change));
        window.reset();
        book.db.close();
        QCOMPARE(fileBytes(path), before);
    }
    QFile::setPermissions(book.appDir(), readable | QFile::WriteOwner);
}

// On a read-only book the windows that show it open for looking: they move, but every
// command that writes is disabled, typing into any field changes nothing, and the book is
// left as it was. The newest payment lacks its vendor, which would hold the user on it were
// the row checked before the move.
void TestStartup::lookingWindows_data() {
    columns<QString, QString, QStringList, QStringList, QString>("command", "window", "writing",
                                                                 "reading", "moved");
    const QStringList entry = {"cmdAdd",         "cmdSave",      "cmdUndo",
                               "cmdDelete",      "txtTransType", "txtTransID",
                               "DTPicker",       "txtTransDesc", "cboGLOffsetAccountCode",
                               "txtOffsetAmount"};
    const QStringList voucher =
        entry + QStringList{"txtTransDescMemo", "cboGSTCode", "txtGSTAmount"};
    const QStringList grid = {"cmdAdd", "cmdUpdate", "cmdDelete"};
    const QStringList found = {"cmdFindByPV", "cmdClose", "navNext"};
    addRow("payment vouchers", "cmdPaymentVouchers", "frmPaymentVoucher",
           voucher + QStringList{"txtVendorID"}, found, "Payment Voucher: 2 of 2");
    addRow("receipts", "mnuDataEntry2Receipts", "frmReceipts",
           voucher + QStringList{"txtCustomerID"}, found, "Receipt: 2 of 2");
    addRow("bank entries", "cmdBankChargesInterestMisc", "frmBankChargesInterest", entry, found,
           "BC/Int/Misc: 2 of 2");
    addRow("cashbook", "cmdCashbook", "frmCashbook", QStringList{"cmdImportStatement"},
           QStringList{"cmdAllTransactions", "cmdViewCurrentCB", "cmdClose", "navNext"},
           "Record: 2 of 6");
    addRow("chart of accounts", "cmdChartOfAccounts", "frmChartOfAccounts",
           grid + QStringList{"cmdDeleteAll", "cmdRestore"},
           QStringList{"cmdFindByDesc", "cmdClose", "navNext"}, "Account: 2 of 2");
    addRow("departments", "mnuDataEntryDepartments", "frmDepartments", grid,
           QStringList{"cmdClose", "navNext"}, "Department: 2 of 3");
    addRow("tax table", "cmdTaxTable", "frmTaxTable", grid, QStringList{"cmdClose", "navNext"},
           "Tax Code: 2 of 2");
    addRow("customers", "cmdCustomers", "frmCustomers", grid,
           QStringList{"cmdFindByCustID", "cmdFind", "cmdClose", "navNext"}, "Customer: 2 of 2");
    addRow("vendors", "mnuDataEntryVendors", "frmVendors", grid,
           QStringList{"cmdFindByVendorID", "cmdFindByVendorName", "cmdClose", "navNext"},
           "Vendor: 2 of 2");
    addRow("reconciliation statuses", "cmdReconciliationStatuses", "frmTransactionStatus",
           QStringList(), QStringList{"cmdClose"}, "");
}

void TestStartup::lookingWindows() {
    auto [command, windowName, writing, reading, moved] =
        fetch<QString, QString, QStringList, QStringList, QString>("command", "window", "writing",
                                                                   "reading", "moved");
    TestBook book(TestBook::Open::No);
    const QString path = book.bookPath();
    const QString row = QStringLiteral(
        "INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, VendorID, CustID, "
        "TransDesc, OffsetGLAccountCode, OffsetAmount, BankAccountAmount, DoubleEntryBank, "
        "DoubleEntryOffset) VALUES ('%1', '2024-03-0%2', '%3', '1', %4, %5, 'Row %1', '6000', "
        "200000, 200000, %6, %7)");
    changeFile(path, {"INSERT INTO tblVendors (VendorID, VendorName) VALUES ('V1', 'Acme'), "
                      "('V2', 'Brill')",
                      "INSERT INTO tblCustomers (CustID, CustName) VALUES ('C1', 'Cole'), "
                      "('C2', 'Dane')",
                      "INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription) "
                      "VALUES ('4000', '', 'Sales'), ('6000', '', 'Rent')",
                      "INSERT INTO tblTaxTable (TaxCode, TaxDescription, TaxRate, GLAccountCode) "
                      "VALUES ('E', 'Exempt', 0, ''), ('G', 'Goods', 0.07, '2200')",
                      row.arg("P1", "1", "1", "'V1'", "NULL", "-200000", "200000"),
                      row.arg("P2", "5", "1", "NULL", "NULL", "-200000", "200000"),
                      row.arg("R1", "2", "3", "NULL", "'C1'", "200000", "-200000"),
                      row.arg("R2", "6", "3", "NULL", "'C2'", "200000", "-200000"),
                      row.arg("B1", "3", "5", "NULL", "NULL", "-200000", "200000"),
                      row.arg("B2", "7", "6", "NULL", "NULL", "200000", "-200000")});
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    book.prompts.expect(Messages::bookOpenedReadOnly(path));
    auto switchboard = Main(book.services);
    QVERIFY(switchboard);
    const QByteArray before = fileBytes(path);

    // Every text the window shows: its fields, its lists' cells.
    const auto texts = [](QWidget* window) {
        QStringList all;
        for (auto* edit : window->findChildren<QLineEdit*>())
            all << edit->text();
        for (auto* memo : window->findChildren<QPlainTextEdit*>())
            all << memo->toPlainText();
        for (auto* list : window->findChildren<QAbstractItemView*>()) {
            const QAbstractItemModel* model = list->model();
            for (int r = 0; model && r < model->rowCount(); ++r)
                for (int c = 0; c < model->columnCount(); ++c)
                    all << model->index(r, c).data().toString();
        }
        return all;
    };
    bool driven = false;
    whenModal([&](QDialog* window) {
        QCOMPARE(window->objectName(), windowName);
        QVERIFY(QTest::qWaitForWindowActive(window));
        for (const QString& name : writing) {
            auto* widget = window->findChild<QWidget*>(name);
            QVERIFY2(widget && !widget->isEnabled(), qPrintable(name));
        }
        for (const QString& name : reading) {
            auto* widget = window->findChild<QWidget*>(name);
            QVERIFY2(widget && widget->isEnabled(), qPrintable(name));
        }
        if (!moved.isEmpty()) {
            press(window, "navNext");
            auto* caption = window->findChild<QLabel*>("navCaption");
            if (!caption)
                caption = child<QLabel>(window, "lblPosition");
            QCOMPARE(caption->text(), moved);
        }
        const QStringList shown = texts(window);
        QWidgetList typedInto;
        for (auto* field : window->findChildren<QWidget*>())
            if (field->isVisible() &&
                (qobject_cast<QLineEdit*>(field) || qobject_cast<QPlainTextEdit*>(field) ||
                 qobject_cast<QAbstractItemView*>(field)))
                typedInto << field;
        QVERIFY(!typedInto.isEmpty());
        for (QWidget* field : typedInto) {
            field->setFocus();
            QTest::keyClicks(field, "2");
            // Enter where the typing went: a cell opened for it is then written.
            QWidget* focused = QApplication::focusWidget();
            QTest::keyClick(focused ? focused : field, Qt::Key_Return);
        }
        QCOMPARE(texts(window), shown);
        if (window->findChild<QPushButton*>("cmdClose"))
            press(window, "cmdClose");
        else
            window->close();
        driven = true;
    });
    QVERIFY(runCommand(switchboard.get(), command));
    QVERIFY(driven);
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().size(), 1);
    switchboard.reset();
    book.db.close();
    QCOMPARE(fileBytes(path), before);
}

// The pages are checked once the window is up; damage is told with the last backup: the one
// made last, whatever its name, and never a link, the book itself or a copy cut short. The
// totals of a sound book are compared with the transactions, and counted again when out of
// step (the user told once).
void TestStartup::damagedPagesReported_data() {
    // backups: name@age in days, name>: a link to the book, name=: the book under another name
    columns<bool, QStringList, QString, bool>("damaged", "backups", "latest", "totalsOff");
    const QString automatic = QStringLiteral("cashbook-20030114-173000000-auto-import.mdb");
    addRow("sound book", false, QStringList{automatic + "@-1"}, QString(), false);
    addRow("damaged, no backup", true, QStringList{}, QString(), false);
    addRow("damaged, the backup made last", true,
           QStringList{automatic + "@-1", "cashbook-yearend-2002.mdb@-30", "cashbook-zz.mdb>",
                       "cashbook-zzz.mdb=", "cashbook-20991231-000000000.mdb.partial@0"},
           automatic, false);
    addRow("totals out of step", false, QStringList{}, QString(), true);
}

void TestStartup::damagedPagesReported() {
    const auto [damaged, backups, latest, totalsOff] =
        fetch<bool, QStringList, QString, bool>("damaged", "backups", "latest", "totalsOff");
    TestBook book(TestBook::Open::No);
    const QString path = book.bookPath();
    changeFile(path, {"WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < "
                      "299) INSERT INTO tblVendors (VendorID, VendorName) SELECT 'K' || i, "
                      "'QQDAMAGEDPAGEQQ' FROM n",
                      "INSERT INTO tblCashbook (TransID, TransDate, TransStatus, DoubleEntryBank) "
                      "VALUES ('1', '2024-01-31', '2', 1250000)"});
    if (totalsOff)
        changeFile(path, {"UPDATE tblCashbookTotals SET Amount = 7"});
    if (damaged) {
        // The first byte of a page of the vendors' table, its page type, made invalid.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll();
        const qsizetype at = bytes.lastIndexOf("QQDAMAGEDPAGEQQ");
        QVERIFY(at > 4096);
        QVERIFY(file.seek(at - at % 4096));
        QVERIFY(file.putChar('\x07'));
    }
    const QString folder = BookBackup::folderFor(path);
    QVERIFY(QDir().mkpath(folder));
    for (const QString& entry : backups) {
        const QString file =
            folder + QLatin1Char('/') + entry.section(QRegularExpression("[@>=]"), 0, 0);
        if (entry.endsWith(QLatin1Char('>'))) {
            QVERIFY(QFile::link(path, file));
        } else if (entry.endsWith(QLatin1Char('='))) {
            QCOMPARE(
                ::link(QFile::encodeName(path).constData(), QFile::encodeName(file).constData()),
                0);
        } else {
            QVERIFY(QFile::copy(path, file));
            QFile copy(file);
            QVERIFY(copy.open(QIODevice::ReadWrite));
            QVERIFY(copy.setFileTime(
                QDateTime::currentDateTime().addDays(entry.section('@', 1).toInt()),
                QFileDevice::FileModificationTime));
        }
    }
    const QString problems = BookCheck::problems(path);
    QCOMPARE(problems.isEmpty(), !damaged);
    if (damaged)
        book.prompts.expect(
            Messages::bookDamaged(problems, latest.isEmpty() ? latest : folder + '/' + latest));
    if (totalsOff)
        book.prompts.expect(Messages::totalsRecounted());

    auto window = Main(book.services);

    QVERIFY(window && window->isVisible());
    auto* check = window->findChild<BackgroundBookCheck*>();
    QVERIFY(check);
    QTRY_VERIFY(check->isDone());
    QVERIFY(book.prompts.verifyAllShown());
    if (!damaged)
        QCOMPARE(book.db.scalar("SELECT group_concat(Amount) FROM tblCashbookTotals").toString(),
                 QStringLiteral("1250000"));
}

// A write while the check reads the book is not kept waiting: the check lets go at once and
// runs again, whole, once the book is left alone.
void TestStartup::writeStopsTheCheck() {
    TestBook book(TestBook::Open::No);
    changeFile(book.bookPath(),
               {"WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
                "INSERT INTO tblGLDistribution (TransDesc) SELECT randomblob(500) FROM n"});
    auto window = Main(book.services);
    QVERIFY(window);
    auto* check = window->findChild<BackgroundBookCheck*>();
    check->setRestartDelay(0);
    book.db.exec(QStringLiteral("PRAGMA busy_timeout = 0")); // a write made to wait fails
    QTest::qWait(20);
    QVERIFY(!check->isDone()); // still reading 50 MB

    QVERIFY_THROWS_NO_EXCEPTION(
        book.db.execute(QStringLiteral("UPDATE tblSystemSetup SET CompanyName = 'Written'")));

    QTRY_VERIFY(check->isDone());
    QCOMPARE(book.prompts.shown().size(), 0);
}

// Another Quillan program holds the book's lock: the user may look at the book read-only, and
// compaction and restore refuse. A lock whose program ended is taken over without a word.
void TestStartup::bookOpenInAnotherProgram_data() {
    columns<bool, bool>("live", "yes");
    addRow("held, opened to look at", true, true);
    addRow("held, declined", true, false);
    addRow("left by a program that ended", false, false);
}

void TestStartup::bookOpenInAnotherProgram() {
    const auto [live, yes] = fetch<bool, bool>("live", "yes");
    TestBook book(TestBook::Open::No);
    const QString path = book.bookPath();
    const QString lockPath = BookLock::pathFor(path);
    QLockFile other(lockPath);
    other.setStaleLockTime(0);
    if (live) {
        QVERIFY(other.tryLock(0));
        book.prompts.expect(Messages::bookInUseQuestion(BookAccess::realPath(path),
                                                        QSysInfo::machineHostName(),
                                                        QCoreApplication::applicationPid()),
                            yes ? Prompts::Answer::Yes : Prompts::Answer::No);
    } else {
        // A program that took the lock and was killed.
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit((new QLockFile(lockPath))->tryLock(0) ? 0 : 1);
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(status, 0);
    }
    const QByteArray before = fileBytes(path);

    auto window = Main(book.services);

    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(bool(window), yes || !live);
    QCOMPARE(book.db.isOpen(), yes || !live);
    QCOMPARE(book.db.isReadOnly(), live && yes);
    // The lock names this program only when it was free to take.
    QLockFile probe(lockPath);
    QVERIFY(!probe.tryLock(0));
    QCOMPARE(book.services.bookLock.take(path) == BookLock::Outcome::Taken, !live);
    if (live && yes) {
        const QString refused =
            Messages::bookInUseElsewhere(BookAccess::realPath(path), QSysInfo::machineHostName(),
                                         QCoreApplication::applicationPid());
        book.prompts.expect(compactDatabaseQuestion(), Prompts::Answer::Yes).expect(refused);
        CompactDatabase(book.services);
        book.prompts.expect(refused);
        QVERIFY(!RestoreBook(book.services));
        QVERIFY(book.prompts.verifyAllShown());
        QVERIFY(book.fileDialogs.requests().isEmpty());
    }
    window.reset();
    book.db.close();
    QCOMPARE(fileBytes(path), before);
    // Ending the program lets go of the lock; the other program's stays.
    book.services.bookLock.release();
    QCOMPARE(QFile::exists(lockPath), live);
}

// What the command line asks for; the printing ones and the refusals end the program before
// any window.
void TestStartup::commandLine_data() {
    using Action = CommandLine::Action;
    columns<QStringList, Action, QString, QString>("arguments", "action", "book", "text");
    addRow("nothing", QStringList{}, Action::Open, "", "");
    addRow("a book", QStringList{"My Books/shop.mdb"}, Action::Open, "My Books/shop.mdb", "");
    addRow("--new", QStringList{"--new", "b.mdb"}, Action::New, "b.mdb", "");
    addRow("--new=", QStringList{"--new=b.mdb"}, Action::New, "b.mdb", "");
    addRow("--version", QStringList{"--version"}, Action::Print, "", "^Quillan 1\\.0\\n$");
    addRow("--help", QStringList{"--help", "b.mdb"}, Action::Print, "",
           "(?s)^Usage: quillan \\[options\\] \\[BOOK\\]\\n.*--version.*--new <BOOK>");
    addRow("unknown option", QStringList{"--old"}, Action::Refuse, "", "^Unknown option 'old'");
    addRow("--new without a book", QStringList{"--new"}, Action::Refuse, "",
           "^Missing value after '--new'");
    addRow("--new and a book", QStringList{"--new", "b.mdb", "c.mdb"}, Action::Refuse, "",
           "^--new names the book");
    addRow("two books", QStringList{"b.mdb", "c.mdb"}, Action::Refuse, "", "^One book at a time");
}

void TestStartup::commandLine() {
    auto [arguments, action, book, text] =
        fetch<QStringList, CommandLine::Action, QString, QString>("arguments", "action", "book",
                                                                  "text");
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
    const CommandLine line = CommandLine::parse(QStringList{"quillan"} + arguments);
    QCOMPARE(line.action, action);
    QCOMPARE(line.book, book);
    if (text.isEmpty())
        QCOMPARE(line.text, QString());
    else
        QVERIFY2(line.text.contains(QRegularExpression(text)), qPrintable(line.text));
}

// The book start-up opens: the one named, else the one beside the program, the last one
// opened, the one in the data folder, or (asked first) a new one there. A named book that is
// not there, or a new one over a file, is refused with nothing made. Places: "program",
// "last", "data", "given" (a folder of its own), each a book when listed in `books`.
void TestStartup::bookChosen_data() {
    columns<QStringList, QStringList, QStringList, QString>("arguments", "books", "boxes",
                                                            "opened");
    const QString makeData = "first:data", none;
    addRow("argument", QStringList{"given"}, QStringList{"program", "last", "given"}, QStringList{},
           "given");
    addRow("argument missing", QStringList{"given"}, QStringList{"program"},
           QStringList{"missing:given"}, none);
    addRow("beside the program", QStringList{}, QStringList{"program", "last", "data"},
           QStringList{}, "program");
    addRow("last opened", QStringList{}, QStringList{"last", "data"}, QStringList{}, "last");
    addRow("last opened gone", QStringList{}, QStringList{"data"}, QStringList{}, "data");
    addRow("first start", QStringList{}, QStringList{}, QStringList{makeData + ":Yes"}, "data");
    addRow("first start declined", QStringList{}, QStringList{}, QStringList{makeData + ":No"},
           none);
    addRow("--new", QStringList{"--new", "given"}, QStringList{"program", "last"}, QStringList{},
           "given");
    addRow("--new over a file", QStringList{"--new", "given"}, QStringList{"given"},
           QStringList{"exists:given"}, none);
}

void TestStartup::bookChosen() {
    auto [arguments, books, boxes, opened] = fetch<QStringList, QStringList, QStringList, QString>(
        "arguments", "books", "boxes", "opened");
    TestBook book(TestBook::Open::No);
    // The home folder is the test's, so that the title shows the book under ~.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(book.appDir()));
    const auto restoreHome = qScopeGuard([&home] { qputenv("HOME", home); });
    // Each place a folder of its own; the program's and the data folder's books carry the
    // usual name.
    const auto bookAt = [&book](const QString& name) {
        const bool usual = name == "program" || name == "data";
        return book.appDir() + '/' + name + '/' + (usual ? "cashbook" : name) + ".mdb";
    };
    for (const char* name : {"program", "last", "data", "given"})
        QVERIFY(QDir().mkpath(QFileInfo(bookAt(name)).absolutePath()));
    for (const QString& name : books)
        Schema::createBook(bookAt(name));
    QSettings settings(book.appDir() + "/settings.ini", QSettings::IniFormat);
    settings.setValue("RecentBooks", QStringList{bookAt("last")});
    const QByteArray givenBefore = fileBytes(bookAt("given"));
    for (const QString& box : boxes) {
        const QStringList parts = box.split(':');
        const QString path = bookAt(parts.at(1));
        if (parts.first() == "missing")
            book.prompts.expect(Messages::missingBook(path));
        else if (parts.first() == "exists")
            book.prompts.expect(Messages::bookExists(path));
        else
            book.prompts.expect(Messages::firstBookQuestion(path),
                                parts.at(2) == "Yes" ? Prompts::Answer::Yes : Prompts::Answer::No);
    }

    BookSession session(book.services, settings,
                        {book.appDir() + "/program", book.appDir() + "/data", {}});
    arguments.replaceInStrings(QRegularExpression("^given$"), bookAt("given"));
    const bool started = session.start(CommandLine::parse(QStringList{"quillan"} + arguments));
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(started, !opened.isEmpty());
    QCOMPARE(bool(session.window()), started);
    if (!started) {
        QVERIFY(!book.db.isOpen());
        QCOMPARE(session.recentBooks(), QStringList{bookAt("last")});
        QCOMPARE(QFile::exists(bookAt("data")), books.contains("data"));
        QCOMPARE(fileBytes(bookAt("given")), givenBefore);
        return;
    }
    const QString path = bookAt(opened);
    QCOMPARE(book.db.path(), path);
    QCOMPARE(book.services.bookFolder(), QFileInfo(path).absolutePath());
    QCOMPARE(session.window()->windowTitle(),
             Messages::mainWindowTitle("~" + path.mid(book.appDir().size()), false));
    QStringList recent{path};
    if (path != bookAt("last"))
        recent << bookAt("last");
    QCOMPARE(session.recentBooks(), recent);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
