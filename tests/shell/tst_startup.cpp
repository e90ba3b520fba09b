// Start-up: Main with no book, with a file it refuses or cannot use, with a book of an
// earlier build (brought up to date, the user told), and with a good book, whose main window
// shows the company panel upper-cased and fixes the current directory.
#include "data/messages.h"
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
    // No book where the program is (one of that name in the current directory does not count),
    // or a refused file, each named in a message of their own; any other failure is the error
    // report labelled "Main". Either way: no window, the connection closed, the file as it was.
    void unusableBook_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("newer format") << "PRAGMA user_version = 99";
        QTest::newRow("missing field") << "ALTER TABLE tblSystemSetup DROP COLUMN VersionType";
        QTest::newRow("no book") << "absent";
        QTest::newRow("locked by another program") << "lock";
    }

    void unusableBook() {
        QFETCH(QString, damage);
        TestBook book(TestBook::Open::No);
        const QString path = book.bookPath();
        QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "locker");
        locker.setDatabaseName(path);
        std::optional<QSqlQuery> lock;
        const QString elsewhere = QDir::currentPath();
        if (damage == QLatin1String("absent")) {
            book.services.appDir = book.appDir() + QStringLiteral("/My Books/Quillan 2003");
            QVERIFY(QDir().mkpath(book.services.appDir));
            QDir::setCurrent(book.appDir());
        } else if (damage == QLatin1String("lock")) {
            QVERIFY(locker.open());
            lock.emplace(locker);
            QVERIFY(lock->exec(QStringLiteral("BEGIN EXCLUSIVE")));
        } else {
            changeFile(path, {damage});
        }
        const QByteArray before = fileBytes(path);
        if (damage == QLatin1String("absent"))
            book.prompts.expect(Messages::missingBook(book.services.appDir));
        else if (damage.startsWith(QLatin1String("PRAGMA")))
            book.prompts.expect(Messages::newerBook(path));
        else
            book.prompts.expectMatch(
                QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: "
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
    void earlierBuildUpgraded() {
        TestBook book(TestBook::Open::No);
        QVERIFY(QFile::remove(book.bookPath()));
        writeEarlierBuildBook(book.bookPath());
        changeFile(book.bookPath(),
                   {"INSERT INTO tblChartOfAccounts (AccountCode, DeptCode) VALUES "
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
    void mainWindow() {
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
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
