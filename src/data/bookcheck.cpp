#include "bookcheck.h"

#include "bookaccess.h"
#include "failure.h"

#include <QAtomicInteger>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace BookCheck {

QString problems(const QString& path) {
    static QAtomicInteger<int> serial = 0;
    const QString name = QStringLiteral("bookcheck%1").arg(serial.fetchAndAddRelaxed(1));
    QStringList found;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        try {
            const BookAccess::ReadingConnection reading = BookAccess::readingConnection(path);
            db.setDatabaseName(reading.databaseName);
            db.setConnectOptions(reading.options);
            if (!db.open()) {
                found << db.lastError().text();
            } else {
                QSqlQuery query(db);
                query.setForwardOnly(true);
                if (!query.exec(QStringLiteral("PRAGMA quick_check(10)")))
                    found << query.lastError().text();
                while (query.next())
                    found << query.value(0).toString();
                if (found == QStringList{QStringLiteral("ok")})
                    found.clear();
            }
        } catch (const Failure& failure) {
            found << failure.description();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return found.join(QLatin1Char('\n'));
}

} // namespace BookCheck
