#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTest>

// The PostgreSQL server tests labelled `server` run on: an administrator's URI in the
// environment variable QUILLAN_TEST_SERVER, as scripts/pg-cluster.sh prints it
// (postgresql://postgres@/postgres?host=SOCKET-FOLDER), or empty when none is given.
QString testServerUri();

// The first statement of a test that needs the server: skips it, with one line, when no server
// is given.
#define SKIP_WITHOUT_TEST_SERVER()                                                                 \
    do {                                                                                           \
        if (testServerUri().isEmpty())                                                             \
            QSKIP("QUILLAN_TEST_SERVER is unset: no PostgreSQL server to test on");                \
    } while (false)

// Opens a QPSQL connection named `connectionName` to the database a postgresql:// URI names
// (user, password, host or socket folder, port, database; other query items go to libpq as
// they are). The connection may be closed: lastError() says why.
QSqlDatabase openServerConnection(const QString& uri, const QString& connectionName);

// A database of its own on the test server for one test, so tests running at once never meet:
// made empty when constructed, under a name unique to this run, and dropped when destroyed,
// with any connection still open to it (a test that failed half-way leaves nothing behind).
class ServerDatabase {
public:
    ServerDatabase();
    ~ServerDatabase();
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;

    // Whether the database was made; if not, error() says why (the test should fail with it).
    bool isMade() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    QString name() const { return m_name; }
    // The test server's URI naming this database instead of the administrator's.
    QString uri() const { return m_uri; }

private:
    QString m_name;
    QString m_uri;
    QString m_error;
};
