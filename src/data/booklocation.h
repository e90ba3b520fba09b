#pragma once

#include "sqldialect.h"

#include <QList>
#include <QString>
#include <utility>

// Where a book is: a file (a SQLite book, named by its path) or a database on a PostgreSQL
// server, named by a connection URI as libpq reads it:
//   postgresql://[user[:password]@][host][:port][/dbname][?parameter=value&...]
// A host may be a socket folder, written percent-encoded ("%2Fvar%2Frun%2Fpostgresql") or as
// the `host` parameter. The program never keeps a password: one written in the URI is used for
// this connection only and never shown (`shown()`), and libpq's own means (the password file,
// a service from pg_service.conf) serve otherwise.
class BookLocation {
public:
    // A file book at `path`.
    static BookLocation file(const QString& path);
    // A book named by the user: a URI of a server book (the scheme "postgresql" or "postgres")
    // or else a file's path. Throws Failure of kind BookRefused with a message naming what is
    // wrong when a URI cannot be read.
    static BookLocation parse(const QString& text);
    // Whether the text names a server book (it starts with a server URI's scheme).
    static bool isServerUri(const QString& text);

    BookEngine engine() const { return m_engine; }
    bool isServer() const { return m_engine == BookEngine::PostgreSql; }
    // The file's path (a file book only).
    const QString& path() const { return m_path; }

    // A server book's parts; empty when the URI leaves them to libpq's defaults.
    const QString& host() const { return m_host; }
    int port() const { return m_port; } // -1: the default
    const QString& databaseName() const { return m_databaseName; }
    const QString& userName() const { return m_userName; }
    const QString& password() const { return m_password; }
    // The other parameters (sslmode, service ...) in the order written.
    const QList<std::pair<QString, QString>>& parameters() const { return m_parameters; }
    // The parameters as connection options for Qt's driver ("sslmode='require';...").
    QString connectOptions() const;
    // The whole as a libpq connection string (keyword='value' ...), the password included
    // when one is held.
    QString connectionString() const;

    // The same location with a password for this connection (held in memory only).
    BookLocation withPassword(const QString& password) const;

    // How the book is named to the user: the path, or the URI without any password.
    QString shown() const;
    // The server as the user knows it (host and port, or the service), for messages.
    QString shownServer() const;

private:
    BookEngine m_engine = BookEngine::Sqlite;
    QString m_path;
    QString m_host;
    int m_port = -1;
    QString m_databaseName;
    QString m_userName;
    QString m_password;
    QList<std::pair<QString, QString>> m_parameters;
};
