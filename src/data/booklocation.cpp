#include "booklocation.h"

#include "failure.h"
#include "messages.h"

#include <QStringList>
#include <QUrl>

namespace {

const QLatin1String kSchemes[] = {QLatin1String("postgresql://"), QLatin1String("postgres://")};

// The parameters a book's URI may carry: those that say how to reach the server and how to
// trust it. Anything else (an option that changes how the session behaves) is refused.
const QStringList& knownParameters() {
    static const QStringList known = {QStringLiteral("host"),
                                      QStringLiteral("port"),
                                      QStringLiteral("dbname"),
                                      QStringLiteral("user"),
                                      QStringLiteral("password"),
                                      QStringLiteral("service"),
                                      QStringLiteral("sslmode"),
                                      QStringLiteral("sslrootcert"),
                                      QStringLiteral("sslcert"),
                                      QStringLiteral("sslkey"),
                                      QStringLiteral("sslcrl"),
                                      QStringLiteral("passfile"),
                                      QStringLiteral("connect_timeout"),
                                      QStringLiteral("application_name")};
    return known;
}

const QStringList& sslModes() {
    static const QStringList modes = {QStringLiteral("disable"),   QStringLiteral("allow"),
                                      QStringLiteral("prefer"),    QStringLiteral("require"),
                                      QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
    return modes;
}

[[noreturn]] void refuse(const QString& uri, const QString& reason) {
    throw Failure(ErrorNumber::Unnumbered, Messages::badServerUri(uri, reason),
                  Failure::Kind::BookRefused);
}

QString decoded(const QString& part) {
    return QUrl::fromPercentEncoding(part.toUtf8());
}

// A value of a libpq connection string: quoted, with its quotes and backslashes escaped.
QString connectionValue(const QString& value) {
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

int portOf(const QString& uri, const QString& text) {
    bool ok = false;
    const int port = text.toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        refuse(uri, QStringLiteral("the port \"%1\" is not a port number").arg(text));
    return port;
}

// The URI as shown: the password left out, everything else as it was written.
QString withoutPassword(const QString& uri) {
    const qsizetype start = uri.indexOf(QLatin1String("://")) + 3;
    qsizetype end = uri.indexOf(QLatin1Char('/'), start);
    const qsizetype query = uri.indexOf(QLatin1Char('?'), start);
    if (end < 0 || (query >= 0 && query < end))
        end = query < 0 ? uri.size() : query;
    QString shown = uri;
    const qsizetype at = uri.lastIndexOf(QLatin1Char('@'), end - 1);
    if (at >= start) {
        const qsizetype colon = uri.indexOf(QLatin1Char(':'), start);
        if (colon >= 0 && colon < at)
            shown = uri.left(colon) + uri.mid(at);
    }
    const qsizetype question = shown.indexOf(QLatin1Char('?'));
    if (question < 0)
        return shown;
    QStringList kept;
    for (const QString& pair : shown.mid(question + 1).split(QLatin1Char('&')))
        if (!pair.startsWith(QLatin1String("password=")))
            kept << pair;
    return shown.left(question) + (kept.isEmpty() ? QString() : QLatin1Char('?') + kept.join('&'));
}

} // namespace

BookLocation BookLocation::file(const QString& path) {
    BookLocation location;
    location.m_path = path;
    return location;
}

bool BookLocation::isServerUri(const QString& text) {
    for (const QLatin1String& scheme : kSchemes)
        if (text.startsWith(scheme, Qt::CaseInsensitive))
            return true;
    return false;
}

BookLocation BookLocation::parse(const QString& text) {
    if (!isServerUri(text))
        return file(text);
    BookLocation location;
    location.m_engine = BookEngine::PostgreSql;
    const QString uri = withoutPassword(text);
    QString rest = text.mid(text.indexOf(QLatin1String("://")) + 3);
    QString query;
    if (const qsizetype question = rest.indexOf(QLatin1Char('?')); question >= 0) {
        query = rest.mid(question + 1);
        rest.truncate(question);
    }
    QString authority = rest;
    if (const qsizetype slash = rest.indexOf(QLatin1Char('/')); slash >= 0) {
        authority = rest.left(slash);
        location.m_databaseName = decoded(rest.mid(slash + 1));
    }
    if (const qsizetype at = authority.lastIndexOf(QLatin1Char('@')); at >= 0) {
        const QString user = authority.left(at);
        authority = authority.mid(at + 1);
        const qsizetype colon = user.indexOf(QLatin1Char(':'));
        location.m_userName = decoded(user.left(colon));
        if (colon >= 0)
            location.m_password = decoded(user.mid(colon + 1));
    }
    // A host is a name, an address ([::1] for IPv6) or a socket folder (percent-encoded).
    QString port;
    if (authority.startsWith(QLatin1Char('['))) {
        const qsizetype close = authority.indexOf(QLatin1Char(']'));
        if (close < 0)
            refuse(uri, QStringLiteral("the address \"%1\" is not closed by \"]\"").arg(authority));
        location.m_host = authority.mid(1, close - 1);
        if (authority.size() > close + 1) {
            if (authority.at(close + 1) != QLatin1Char(':'))
                refuse(uri, QStringLiteral("\"%1\" is not a host").arg(authority));
            port = authority.mid(close + 2);
        }
    } else {
        const qsizetype colon = authority.indexOf(QLatin1Char(':'));
        location.m_host = decoded(authority.left(colon));
        if (colon >= 0)
            port = authority.mid(colon + 1);
    }
    if (!port.isEmpty())
        location.m_port = portOf(uri, port);
    if (location.m_host.contains(QLatin1Char(',')))
        refuse(uri, QStringLiteral("a book is on one server, and \"%1\" names several")
                        .arg(location.m_host));

    if (!query.isEmpty()) {
        for (const QString& pair : query.split(QLatin1Char('&'))) {
            const qsizetype equals = pair.indexOf(QLatin1Char('='));
            const QString key = decoded(pair.left(equals));
            const QString value = equals < 0 ? QString() : decoded(pair.mid(equals + 1));
            if (equals < 0 || !knownParameters().contains(key))
                refuse(uri, QStringLiteral("the parameter \"%1\" is not one a book's address "
                                           "takes")
                                .arg(key));
            // Qt's driver separates its options by semicolons.
            if (value.contains(QLatin1Char(';')))
                refuse(uri, QStringLiteral("the value of \"%1\" holds a semicolon").arg(key));
            if (key == QLatin1String("sslmode") && !sslModes().contains(value))
                refuse(uri, QStringLiteral("\"%1\" is not an SSL mode (%2)")
                                .arg(value, sslModes().join(QStringLiteral(", "))));
            if (key == QLatin1String("host"))
                location.m_host = value;
            else if (key == QLatin1String("port"))
                location.m_port = portOf(uri, value);
            else if (key == QLatin1String("dbname"))
                location.m_databaseName = value;
            else if (key == QLatin1String("user"))
                location.m_userName = value;
            else if (key == QLatin1String("password"))
                location.m_password = value;
            else
                location.m_parameters.append({key, value});
        }
    }
    location.m_path = uri;
    return location;
}

QString BookLocation::connectOptions() const {
    QStringList options;
    for (const auto& [key, value] : m_parameters)
        options << key + QLatin1Char('=') + connectionValue(value);
    return options.join(QLatin1Char(';'));
}

QString BookLocation::connectionString() const {
    QStringList parts;
    const auto add = [&](const char* key, const QString& value) {
        if (!value.isEmpty())
            parts << QLatin1String(key) + QLatin1Char('=') + connectionValue(value);
    };
    add("host", m_host);
    add("port", m_port < 0 ? QString() : QString::number(m_port));
    add("dbname", m_databaseName);
    add("user", m_userName);
    add("password", m_password);
    for (const auto& [key, value] : m_parameters)
        parts << key + QLatin1Char('=') + connectionValue(value);
    return parts.join(QLatin1Char(' '));
}

BookLocation BookLocation::withPassword(const QString& password) const {
    BookLocation location = *this;
    location.m_password = password;
    return location;
}

QString BookLocation::shown() const {
    return m_path;
}

QString BookLocation::shownServer() const {
    for (const auto& [key, value] : m_parameters)
        if (key == QLatin1String("service") && m_host.isEmpty())
            return QStringLiteral("service %1").arg(value);
    const QString host = m_host.isEmpty() ? QStringLiteral("localhost") : m_host;
    return m_port < 0 ? host : QStringLiteral("%1:%2").arg(host).arg(m_port);
}
