// The test server's plumbing: a test's own database on it is made empty, holds what is written
// through Qt's PostgreSQL driver, and is gone afterwards, even with a connection still open.
#include "support/serverdatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

class TestServerDatabase : public QObject {
    Q_OBJECT

private slots:
    void databaseOfItsOwn() {
        SKIP_WITHOUT_TEST_SERVER();
        const QString fresh = QStringLiteral("fresh");
        QString name;
        {
            ServerDatabase server;
            QVERIFY2(server.isMade(), qPrintable(server.error()));
            ServerDatabase beside;
            QVERIFY2(beside.isMade(), qPrintable(beside.error()));
            QVERIFY(beside.name() != server.name());
            name = server.name();

            QSqlDatabase db = openServerConnection(server.uri(), fresh);
            QVERIFY2(db.isOpen(), qPrintable(db.lastError().text()));
            QSqlQuery query(db);
            QVERIFY(query.exec("SELECT current_database(), (SELECT count(*) FROM pg_tables "
                               "WHERE schemaname = 'public')") &&
                    query.next());
            QCOMPARE(query.value(0).toString(), name);
            QCOMPARE(query.value(1).toInt(), 0);

            QVERIFY(query.exec("CREATE TABLE note (id integer PRIMARY KEY, memo text NOT NULL)"));
            QVERIFY(query.prepare("INSERT INTO note (id, memo) VALUES (?, ?)"));
            query.addBindValue(1);
            query.addBindValue(QStringLiteral("written on the server"));
            QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
            QVERIFY(query.exec("SELECT memo FROM note WHERE id = 1") && query.next());
            QCOMPARE(query.value(0).toString(), QStringLiteral("written on the server"));
        }
        QSqlDatabase::removeDatabase(fresh);

        const QString admin = QStringLiteral("admin");
        {
            QSqlDatabase db = openServerConnection(testServerUri(), admin);
            QVERIFY2(db.isOpen(), qPrintable(db.lastError().text()));
            QSqlQuery query(db);
            QVERIFY(query.prepare("SELECT count(*) FROM pg_database WHERE datname = ?"));
            query.addBindValue(name);
            QVERIFY(query.exec() && query.next());
            QCOMPARE(query.value(0).toInt(), 0);
        }
        QSqlDatabase::removeDatabase(admin);
    }
};

QTEST_MAIN(TestServerDatabase)
#include "tst_serverdatabase.moc"
