#include "bookcheck.h"

#include "bookaccess.h"
#include "cashbooktotals.h"
#include "database.h"
#include "failure.h"

#include <QAtomicInteger>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <sqlite3.h>

namespace BookCheck {

void Interrupt::request() {
    const QMutexLocker lock(&m_mutex);
    m_requested = true;
    if (m_handle)
        sqlite3_interrupt(m_handle);
}

bool Interrupt::requested() const {
    const QMutexLocker lock(&m_mutex);
    return m_requested;
}

bool Interrupt::attach(sqlite3* handle) {
    const QMutexLocker lock(&m_mutex);
    m_handle = handle;
    return !m_requested;
}

void Interrupt::detach() {
    const QMutexLocker lock(&m_mutex);
    m_handle = nullptr;
}

Findings check(const QString& path, Interrupt* interrupt, bool compareTotals) {
    static QAtomicInteger<int> serial = 0;
    const QString name = QStringLiteral("bookcheck%1").arg(serial.fetchAndAddRelaxed(1));
    QStringList found;
    bool totalsDiffer = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        try {
            const BookAccess::ReadingConnection reading = BookAccess::readingConnection(path);
            db.setDatabaseName(reading.databaseName);
            db.setConnectOptions(reading.options);
            if (!db.open()) {
                found << db.lastError().text();
            } else if (!interrupt || interrupt->attach(Database::engineHandle(db))) {
                QSqlQuery query(db);
                query.setForwardOnly(true);
                if (!query.exec(QStringLiteral("PRAGMA quick_check(10)")))
                    found << query.lastError().text();
                while (query.next())
                    found << query.value(0).toString();
                if (found == QStringList{QStringLiteral("ok")})
                    found.clear();
                // A sum the engine cannot make (beyond 64 bits) leaves the totals as they are:
                // counting them again would fail the same way.
                if (found.isEmpty() && compareTotals &&
                    query.exec(CashbookTotals::agreementQuery(SqlDialect())) && query.next())
                    totalsDiffer = query.value(0).toInt() == 0;
            }
        } catch (const Failure& failure) {
            found << failure.description();
        }
        if (interrupt) {
            interrupt->detach();
            if (interrupt->requested()) {
                found.clear();
                totalsDiffer = false;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return {found.join(QLatin1Char('\n')), totalsDiffer};
}

QString problems(const QString& path, Interrupt* interrupt) {
    return check(path, interrupt, false).problems;
}

} // namespace BookCheck
