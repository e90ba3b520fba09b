#include "serverdatabase.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

namespace {

// Runs a statement on a connection of its own to the administrator's database, and returns
// what went wrong, or an empty text.
QString runAsAdministrator(const QString& statement) {
    static QAtomicInt connections;
    const QString connection =
        QStringLiteral("quillan-test-server-%1").arg(connections.fetchAndAddRelaxed(1));
    QString error;
    {
        QSqlDatabase db = openServerConnection(testServerUri(), connection);
        QSqlQuery query(db);
        if (!db.isOpen())
            error = QStringLiteral("Cannot reach the test server %1: %2")
                        .arg(testServerUri(), db.lastError().text());
        else if (!query.exec(statement))
            error = statement + QStringLiteral(": ") + query.lastError().text();
    }
    QSqlDatabase::removeDatabase(connection);
    return error;
}

bool isServerUri(const QUrl& url) {
    return url.isValid() && (url.scheme() == QLatin1String("postgresql") ||
                             url.scheme() == QLatin1String("postgres"));
}

// A database name is an identifier, never a bound value; the names are made here, never
// taken from outside, and quoted all the same.
QString quoted(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

} // namespace

QString testServerUri() {
    return qEnvironmentVariable("QUILLAN_TEST_SERVER");
}

QSqlDatabase openServerConnection(const QString& uri, const QString& connectionName) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    const QUrl url(uri);
    if (!db.isValid() || !isServerUri(url))
        return db;
    db.setUserName(url.userName(QUrl::FullyDecoded));
    db.setPassword(url.password(QUrl::FullyDecoded));
    db.setHostName(url.host(QUrl::FullyDecoded));
    db.setPort(url.port());
    db.setDatabaseName(url.path(QUrl::FullyDecoded).mid(1));
    QStringList options;
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (const auto& [key, value] : items) {
        if (key == QLatin1String("host"))
            db.setHostName(value);
        else if (key == QLatin1String("port"))
            db.setPort(value.toInt());
        else if (key == QLatin1String("dbname"))
            db.setDatabaseName(value);
        else if (key == QLatin1String("user"))
            db.setUserName(value);
        else if (key == QLatin1String("password"))
            db.setPassword(value);
        else
            options << key + QLatin1Char('=') + value;
    }
    db.setConnectOptions(options.join(QLatin1Char(';')));
    db.open();
    return db;
}

ServerDatabase::ServerDatabase() {
    static QAtomicInt made;
    // The process and a random part keep apart test programs running at once and runs that
    // share one server; the count keeps apart the databases of one program.
    m_name = QStringLiteral("quillan_test_%1_%2_%3")
                 .arg(QCoreApplication::applicationPid())
                 .arg(made.fetchAndAddRelaxed(1))
                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    QUrl url(testServerUri());
    if (testServerUri().isEmpty()) {
        m_error = QStringLiteral("QUILLAN_TEST_SERVER is unset");
        return;
    }
    if (!isServerUri(url)) {
        m_error = QStringLiteral("QUILLAN_TEST_SERVER is no postgresql:// URI: ") + testServerUri();
        return;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        m_error = QStringLiteral("Qt's PostgreSQL driver QPSQL is missing (libqt6sql6-psql)");
        return;
    }
    url.setPath(QLatin1Char('/') + m_name);
    QUrlQuery query(url);
    query.removeAllQueryItems(QStringLiteral("dbname"));
    url.setQuery(query);
    m_uri = url.toString();
    m_error = runAsAdministrator(QStringLiteral("CREATE DATABASE %1").arg(quoted(m_name)));
}

ServerDatabase::~ServerDatabase() {
    if (!isMade())
        return;
    const QString error = runAsAdministrator(
        QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(quoted(m_name)));
    if (!error.isEmpty())
        qWarning("The test database was left on the server: %s", qPrintable(error));
}
