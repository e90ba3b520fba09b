// Start-up: Main with no book, with a book that cannot be used, and with a good book,
// whose main window shows the company panel upper-cased and fixes the current directory.
#include "data/schema.h"
#include "shell/startup.h"
#include "shell/switchboardwindow.h"
#include "support/testbook.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>

namespace {

QString mainFailurePattern() {
    return QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: -?[0-9]+\r\n"
                          "Error Description: [^\r\n]+\r\nRoutine: Main$");
}

QWidgetList visibleWindows() {
    QWidgetList shown;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            shown << widget;
    return shown;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void noBook_data();
    void noBook();
    void brokenBook_data();
    void brokenBook();
    void lockedBook();
    void mainWindow();
};

void TestStartup::noBook_data() {
    QTest::addColumn<QString>("subDir");
    QTest::newRow("temporary directory") << "";
    QTest::newRow("directory with blanks") << "My Books/Quillan 2003";
}

void TestStartup::noBook() {
    QFETCH(QString, subDir);

    TestBook book(TestBook::Open::No);
    QVERIFY(QFile::remove(book.bookPath()));
    if (!subDir.isEmpty()) {
        QVERIFY(QDir(book.appDir()).mkpath(subDir));
        book.services.appDir = book.appDir() + QLatin1Char('/') + subDir;
    }
    // A book of the right name elsewhere (the current directory) does not count.
    const QString elsewhere = QDir::currentPath();
    QDir::setCurrent(book.appDir());
    if (!subDir.isEmpty())
        Schema::createBook(book.appDir() + QStringLiteral("/cashbook.mdb"));

    book.prompts.expect(
        QStringLiteral("The Cashbook.mdb file is not in the \r\napplication directory of ") +
        book.services.appDir +
        QStringLiteral(".\r\n\r\nIn order to continue, you must copy it\r\ninto the directory."));
    auto window = Main(book.services);
    QDir::setCurrent(elsewhere);

    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().first().icon, Prompts::Icon::Critical);
    QVERIFY(!window);
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!book.db.isOpen());
    QVERIFY(!QFile::exists(book.services.bookPath()));
}

// Any other failure is the error report labelled "Main", no window line, no window, and
// the book as it was.
void TestStartup::brokenBook_data() {
    QTest::addColumn<QString>("damage");
    QTest::newRow("text file") << "text";
    QTest::newRow("empty file") << "";
    QTest::newRow("missing table") << "DROP TABLE tblTaxTable";
    QTest::newRow("missing settings row") << "DELETE FROM tblBankDetails";
    QTest::newRow("missing field") << "ALTER TABLE tblSystemSetup DROP COLUMN VersionType";
    QTest::newRow("directory of the book's name") << "directory";
}

void TestStartup::brokenBook() {
    QFETCH(QString, damage);

    TestBook book(TestBook::Open::No);
    const QString path = book.bookPath();
    if (damage == QLatin1String("text")) {
        writeFile(path, "Cashbook of the Acme company\r\nNot a database at all.\r\n");
    } else if (damage.isEmpty()) {
        writeFile(path, QByteArray());
    } else if (damage == QLatin1String("directory")) {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
    } else {
        book.db.open(path);
        book.sql(damage);
        book.db.close();
    }
    const QByteArray before = readAll(path);

    book.prompts.expectMatch(mainFailurePattern());
    auto window = Main(book.services);

    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().size(), 1);
    QVERIFY(!window);
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!book.db.isOpen());
    QVERIFY(!book.busy.isBusy());
    QCOMPARE(readAll(path), before);
}

// A book another program holds locked cannot be used; once released it opens.
void TestStartup::lockedBook() {
    TestBook book(TestBook::Open::No);
    {
        QSqlDatabase locker =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        locker.setDatabaseName(book.bookPath());
        QVERIFY(locker.open());
        QSqlQuery lock(locker);
        QVERIFY2(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")), qPrintable(lock.lastError().text()));

        book.prompts.expectMatch(mainFailurePattern());
        auto window = Main(book.services);
        QVERIFY(book.prompts.verifyAllShown());
        QVERIFY(book.prompts.shown().first().text.contains(QLatin1String("locked")));
        QVERIFY(!window);
        QVERIFY(visibleWindows().isEmpty());

        QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
        lock.finish();
        locker.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));

    auto window = Main(book.services);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(book.prompts.shown().size(), 1);
}

// The main window, with the company panel upper-cased (stored values untouched) and the
// current directory set to the application directory.
void TestStartup::mainWindow() {
    TestBook book;
    const QVariantList stored = {QString::fromUtf8("caf\xc3\xa9 traders ltd"), "12 high street",
                                 QVariant(), "", "1.0a", "beta"};
    const QStringList shown = {QString::fromUtf8("CAF\xc3\x89 TRADERS LTD"), "12 HIGH STREET", "",
                               "", "1.0A", "BETA"};
    book.sql(
        QStringLiteral("UPDATE tblSystemSetup SET CompanyName = ?, Address1 = ?, Address2 = ?, "
                       "Address3 = ?, VersionNumber = ?, VersionType = ?"),
        stored);
    book.db.close();
    const QString elsewhere = QDir::currentPath();
    // Started from a shortcut with another working directory.
    QVERIFY(QDir::setCurrent(QDir::rootPath()));

    auto window = Main(book.services);
    const QString current = QDir::currentPath();
    const bool bookFoundByName = QFile::exists(QStringLiteral("cashbook.mdb"));
    QDir::setCurrent(elsewhere);

    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->objectName(), QStringLiteral("frmSwitchboard"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Quillan - Main Menu"));
    QVERIFY(window->windowState().testFlag(Qt::WindowMaximized));
    QCOMPARE(visibleWindows(), QWidgetList{window.get()});
    QCOMPARE(QDir(current).canonicalPath(), QDir(book.appDir()).canonicalPath());
    QVERIFY(bookFoundByName);
    QVERIFY(!book.busy.isBusy());
    QCOMPARE(window->findChild<QTabWidget*>()->tabText(0), QStringLiteral("&Company"));
    const char* const fields[] = {"txtCompanyName", "txtAddress1",      "txtAddress2",
                                  "txtAddress3",    "txtVersionNumber", "txtVersionType"};
    QSqlQuery query =
        book.db.exec(QStringLiteral("SELECT CompanyName, Address1, Address2, Address3, "
                                    "VersionNumber, VersionType FROM tblSystemSetup"));
    QVERIFY(query.next());
    for (int i = 0; i < 6; ++i) {
        auto* edit = window->findChild<QLineEdit*>(QLatin1String(fields[i]));
        QCOMPARE(edit->text(), shown.at(i));
        QVERIFY(edit->isReadOnly());
        QCOMPARE(query.value(i).isNull(), stored.at(i).isNull());
        QCOMPARE(query.value(i).toString(), stored.at(i).toString());
    }
    QCOMPARE(book.prompts.shown().size(), 0);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
