// Start-up: Main with no book, with a file it refuses or cannot use, with a book of an
// earlier build (brought up to date, the user told), and with a good book, whose main window
// shows the company panel upper-cased and fixes the current directory.
#include "data/messages.h"
#include "data/schema.h"
#include "shell/startup.h"
#include "shell/switchboardwindow.h"
#include "support/testbook.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <optional>

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
    void noBook_data();
    void noBook();
    void unusableBook_data();
    void unusableBook();
    void earlierBuildUpgraded();
    void mainWindow();
};

void TestStartup::noBook_data() {
    QTest::addColumn<QString>("subDir");
    QTest::newRow("temporary directory") << "";
    QTest::newRow("directory with blanks") << "My Books/Quillan 2003";
}

// A book of the right name elsewhere (the current directory) does not count.
void TestStartup::noBook() {
    QFETCH(QString, subDir);
    TestBook book(TestBook::Open::No);
    QVERIFY(QFile::remove(book.bookPath()));
    if (!subDir.isEmpty()) {
        QVERIFY(QDir(book.appDir()).mkpath(subDir));
        book.services.appDir = book.appDir() + QLatin1Char('/') + subDir;
        Schema::createBook(book.appDir() + QStringLiteral("/cashbook.mdb"));
    }
    const QString elsewhere = QDir::currentPath();
    QDir::setCurrent(book.appDir());
    book.prompts.expect(Messages::missingBook(book.services.appDir));
    auto window = Main(book.services);
    QDir::setCurrent(elsewhere);

    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().first().icon, Prompts::Icon::Critical);
    QVERIFY(!window);
    QVERIFY(!book.db.isOpen());
    QVERIFY(!QFile::exists(book.services.bookPath()));
}

// A refused file is named in a message of its own; any other failure is the error report
// labelled "Main". Either way: no window, the connection closed, the file as it was.
void TestStartup::unusableBook_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message"); // empty: the error report
    QTest::newRow("newer format") << QStringLiteral("PRAGMA user_version = 99") << "newer";
    QTest::newRow("text file") << "text" << "not a book";
    QTest::newRow("missing field") << "ALTER TABLE tblSystemSetup DROP COLUMN VersionType" << "";
    QTest::newRow("missing settings row") << "DELETE FROM tblBankDetails" << "";
    QTest::newRow("directory of the book's name") << "directory" << "";
    QTest::newRow("locked by another program") << "lock" << "";
}

void TestStartup::unusableBook() {
    QFETCH(QString, damage);
    QFETCH(QString, message);
    TestBook book(TestBook::Open::No);
    const QString path = book.bookPath();
    QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "locker");
    locker.setDatabaseName(path);
    std::optional<QSqlQuery> lock;
    if (damage == QLatin1String("text")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Cashbook of the Acme company\r\n");
    } else if (damage == QLatin1String("directory")) {
        QVERIFY(QFile::remove(path) && QDir().mkdir(path));
    } else if (damage == QLatin1String("lock")) {
        QVERIFY(locker.open());
        lock.emplace(locker);
        QVERIFY(lock->exec(QStringLiteral("BEGIN EXCLUSIVE")));
    } else {
        Database raw(QStringLiteral("raw"));
        raw.openForCreate(path);
        raw.exec(damage);
    }
    const QByteArray before = fileBytes(path);
    if (message.isEmpty())
        book.prompts.expectMatch(QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: "
                                                "-?[0-9]+\r\nError Description: [^\r\n]+\r\n"
                                                "Routine: Main$"));
    else
        book.prompts.expect(message == QLatin1String("newer") ? Messages::newerBook(path)
                                                              : Messages::notABook(path));
    auto window = Main(book.services);

    QVERIFY(book.prompts.verifyAllShown());
    QVERIFY(!window);
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!book.db.isOpen());
    QVERIFY(!book.busy.isBusy());
    QCOMPARE(fileBytes(path), before);
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
}

// The user is told where the copy of the book is kept and which accounts to merge, then
// works in the upgraded book.
void TestStartup::earlierBuildUpgraded() {
    TestBook book(TestBook::Open::No);
    QVERIFY(QFile::remove(book.bookPath()));
    writeEarlierBuildBook(book.bookPath());
    {
        Database raw(QStringLiteral("raw"));
        raw.openForCreate(book.bookPath());
        raw.exec(QStringLiteral("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode) VALUES "
                                "('2000', ''), ('2000', ' '), ('1000', ' '), ('1000', '')"));
    }
    const QString copy = BookFormat::copyPathFor(book.bookPath(), 0);
    book.prompts.expect(Messages::bookUpgraded(copy))
        .expect(Messages::mergeAccounts({QStringLiteral("1000"), QStringLiteral("2000")}));
    auto window = Main(book.services);
    QVERIFY(book.prompts.verifyAllShown());
    QVERIFY(window && window->isVisible());
    QVERIFY(QFile::exists(copy));
}

// Stored values are shown upper-cased and left as stored; the current directory becomes the
// application directory even when started from elsewhere.
void TestStartup::mainWindow() {
    TestBook book;
    const QVariantList stored = {QString::fromUtf8("caf\xc3\xa9 traders ltd"), QVariant(), "1.0a"};
    book.sql(QStringLiteral("UPDATE tblSystemSetup SET CompanyName = ?, Address1 = ?, "
                            "VersionNumber = ?"),
             stored);
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
    const QStringList shown = {QString::fromUtf8("CAF\xc3\x89 TRADERS LTD"), "", "1.0A"};
    const char* const fields[] = {"txtCompanyName", "txtAddress1", "txtVersionNumber"};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(window->findChild<QLineEdit*>(QLatin1String(fields[i]))->text(), shown.at(i));
    QCOMPARE(book.value(QStringLiteral("SELECT CompanyName || IFNULL(Address1, '-') || "
                                       "VersionNumber FROM tblSystemSetup"))
                 .toString(),
             stored.at(0).toString() + QStringLiteral("-1.0a"));
    QCOMPARE(book.prompts.shown().size(), 0);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
