#include "masterstesting.h"

#include "masters/partykind.h"
#include "support/testbook.h"

#include <QtTest>

void storeParties(TestBook& book, const PartyKind& kind, const QList<QStringList>& records) {
    for (const QStringList& values : records) {
        QVariantList binds;
        for (int i = 0; i < PartyKind::FieldCount; ++i)
            binds << values.value(i);
        book.sql(QStringLiteral("INSERT INTO %1 (%2) VALUES (?,?,?,?,?,?,?)")
                     .arg(kind.table, kind.columnList()),
                 binds);
    }
}
