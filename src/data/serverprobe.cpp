#include "serverprobe.h"

#include <libpq-fe.h>

ServerProbe::ServerProbe(const QString& connectionString) {
    const QByteArray info = connectionString.toUtf8();
    // A server that is starting or shutting down answers with a refusal: it is there.
    m_answered = PQping(info.constData()) != PQPING_NO_RESPONSE;
    PGconn* connection = PQconnectdb(info.constData());
    m_needsPassword = PQconnectionNeedsPassword(connection) != 0;
    m_detail = QString::fromLocal8Bit(PQerrorMessage(connection)).trimmed();
    PQfinish(connection);
}
