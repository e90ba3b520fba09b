#pragma once

#include "data/recordnavigator.h"
#include "masters/partykind.h"

#include <QString>
#include <array>
#include <optional>

class Database;
class QSqlRecord;

// One customer or vendor: the seven field texts in window order (a null reads as "").
using PartyRecord = std::array<QString, PartyKind::FieldCount>;

// The customers or vendors table as the window reads and writes it. Every statement is
// prepared with bound values; table and column names come only from the PartyKind.
class PartyStore {
public:
    PartyStore(const Database& db, const PartyKind& kind);

    // The window's record set: every record, in number order.
    RecordNavigator::Definition recordSet() const;

    // The seven texts of a row read by the record set; all empty for a record without fields.
    PartyRecord texts(const QSqlRecord& record) const;

    // Writes a new record. Throws Failure; a number that already exists is refused by the
    // database and carries Failure::Kind::DuplicateKey.
    void insert(const PartyRecord& record) const;
    // Writes the fields that differ between `before` (as read) and `after` into the record
    // stored under `number`, so untouched fields keep their stored values. Throws Failure as
    // insert() does, and when the record is no longer there.
    void update(const QString& number, const PartyRecord& before, const PartyRecord& after) const;

    // The number of the first record, in number order, whose field equals value as the book
    // compares text (ignoring case). The value is bound, so any character may appear in it.
    std::optional<QString> firstNumberWhere(int field, const QString& value) const;

    // The field Validated stops at: the number when empty, otherwise the name when empty.
    static std::optional<int> missingField(const PartyRecord& record);

private:
    const Database& m_db;
    const PartyKind& m_kind;
};
