#pragma once

#include <QString>

// Why a server book's connection failed, asked of libpq itself (Qt's driver reports a failed
// connection only as text, in the user's language): whether the server answered at all, and
// whether it asked for a password that nothing gave.
class ServerProbe {
public:
    // Tries the connection described by a libpq connection string once.
    explicit ServerProbe(const QString& connectionString);

    bool answered() const { return m_answered; }
    bool needsPassword() const { return m_needsPassword; }
    // libpq's own words for what went wrong.
    const QString& detail() const { return m_detail; }

private:
    bool m_answered = false;
    bool m_needsPassword = false;
    QString m_detail;
};
