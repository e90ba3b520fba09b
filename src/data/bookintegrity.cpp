#include "bookintegrity.h"

#include "bookaccess.h"
#include "failure.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QRandomGenerator>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <future>
#include <optional>
#include <sqlite3.h>
#include <vector>

namespace BookIntegrity {

namespace {

constexpr int kMostProblems = 10;
constexpr const char* kFingerprints = "quillan_fingerprints";
constexpr const char* kEntries = "quillan_entries";
// The engine's collations whose order is known here.
const QStringList kCollations{QStringLiteral("BINARY"), QStringLiteral("NOCASE"),
                              QStringLiteral("RTRIM")};

std::uint64_t mixed(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

std::uint64_t withBytes(std::uint64_t hash, const unsigned char* bytes, int size) {
    int at = 0;
    for (; at + 8 <= size; at += 8) {
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, bytes + at, 8);
        hash = mixed(hash ^ chunk);
    }
    std::uint64_t tail = 0;
    if (at < size)
        std::memcpy(&tail, bytes + at, static_cast<std::size_t>(size - at));
    return mixed(hash ^ tail ^ (static_cast<std::uint64_t>(size) << 56));
}

// One value as the engine hands it over, from an index entry or from its table's row.
std::uint64_t withValue(std::uint64_t hash, sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return mixed(mixed(hash + 1) ^ static_cast<std::uint64_t>(sqlite3_value_int64(value)));
    case SQLITE_FLOAT: {
        const double number = sqlite3_value_double(value);
        // A whole number in a field of real affinity is kept as an integer and read as a real
        // from the table; summed as the integer either way.
        if (number >= -9.2e18 && number <= 9.2e18 &&
            number == static_cast<double>(static_cast<std::int64_t>(number)))
            return mixed(mixed(hash + 1) ^
                         static_cast<std::uint64_t>(static_cast<std::int64_t>(number)));
        std::uint64_t bits = 0;
        std::memcpy(&bits, &number, sizeof bits);
        return mixed(mixed(hash + 2) ^ bits);
    }
    case SQLITE_TEXT:
        return withBytes(mixed(hash + 3), sqlite3_value_text(value), sqlite3_value_bytes(value));
    case SQLITE_BLOB:
        return withBytes(mixed(hash + 4),
                         static_cast<const unsigned char*>(sqlite3_value_blob(value)),
                         sqlite3_value_bytes(value));
    default:
        return mixed(hash + 5);
    }
}

// A row's hash from its fields' own hashes, in the index's order of fields.
std::uint64_t rowHash(std::uint64_t key, int count, const std::uint64_t* hashes) {
    std::uint64_t hash = key;
    for (int i = 0; i < count; ++i)
        hash = mixed(hash ^ hashes[i]);
    return mixed(hash ^ key);
}

// The most indexes one table is read for at once, and the most fields an index is read with
// (its key fields and the row number).
constexpr int kMostIndexes = 32;
constexpr int kMostFields = 16;

// A table's rows summed for each of its indexes: each value hashed once, however many
// indexes hold its field.
struct Fingerprints {
    bool planned;
    bool wrong;
    int indexes;
    int fieldCount[kMostIndexes];
    int fields[kMostIndexes][kMostFields]; // positions among the values after the plan
    std::uint64_t sums[kMostIndexes];
};

// Reads "0 1 4;2 1 4": for each index, the positions of its fields among the values.
bool plan(Fingerprints& prints, const char* text, int values) {
    prints.indexes = 0;
    int fields = 0;
    int number = -1;
    for (const char* at = text;; ++at) {
        if (*at >= '0' && *at <= '9') {
            number = (number < 0 ? 0 : number * 10) + (*at - '0');
            if (number >= values)
                return false;
            continue;
        }
        if (number >= 0) {
            if (fields == kMostFields || prints.indexes == kMostIndexes)
                return false;
            prints.fields[prints.indexes][fields++] = number;
            number = -1;
        }
        if (*at == ';' || *at == '\0') {
            if (fields == 0)
                return false;
            prints.fieldCount[prints.indexes++] = fields;
            fields = 0;
            if (*at == '\0')
                return true;
        } else if (*at != ' ') {
            return false;
        }
    }
}

// quillan_fingerprints(key, plan, value...): for each index of the plan, the sum, modulo
// 2^64, of each row's keyed hash of that index's fields; a blob of the sums.
void fingerprintsStep(sqlite3_context* context, int count, sqlite3_value** values) {
    auto* prints =
        static_cast<Fingerprints*>(sqlite3_aggregate_context(context, sizeof(Fingerprints)));
    if (!prints) {
        sqlite3_result_error_nomem(context);
        return;
    }
    const int fields = count - 2;
    if (!prints->planned) {
        prints->planned = true;
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(values[1]));
        prints->wrong = fields < 1 || fields > kMostIndexes * kMostFields || !text ||
                        !plan(*prints, text, fields);
    }
    if (prints->wrong)
        return;
    const auto key = static_cast<std::uint64_t>(sqlite3_value_int64(values[0]));
    std::uint64_t hashes[kMostIndexes * kMostFields];
    for (int i = 0; i < fields; ++i)
        hashes[i] = withValue(key, values[i + 2]);
    std::uint64_t ordered[kMostFields];
    for (int index = 0; index < prints->indexes; ++index) {
        for (int field = 0; field < prints->fieldCount[index]; ++field)
            ordered[field] = hashes[prints->fields[index][field]];
        prints->sums[index] += rowHash(key, prints->fieldCount[index], ordered);
    }
}

void fingerprintsFinal(sqlite3_context* context) {
    auto* prints = static_cast<Fingerprints*>(sqlite3_aggregate_context(context, 0));
    if (prints && prints->wrong) {
        sqlite3_result_error(context, "wrong use of quillan_fingerprints", -1);
        return;
    }
    // No rows: no sums, each of them nothing.
    if (!prints) {
        sqlite3_result_zeroblob(context, kMostIndexes * int(sizeof(std::uint64_t)));
        return;
    }
    sqlite3_result_blob(context, prints->sums, kMostIndexes * int(sizeof(std::uint64_t)),
                        SQLITE_TRANSIENT);
}

// A value of the entry before, kept in the aggregate's own memory.
struct Kept {
    int type;
    sqlite3_int64 integer;
    double real;
    int size;
    int capacity;
    unsigned char* bytes;
};

void keep(Kept& kept, sqlite3_value* value) {
    kept.type = sqlite3_value_type(value);
    if (kept.type == SQLITE_INTEGER) {
        kept.integer = sqlite3_value_int64(value);
    } else if (kept.type == SQLITE_FLOAT) {
        kept.real = sqlite3_value_double(value);
    } else if (kept.type == SQLITE_TEXT || kept.type == SQLITE_BLOB) {
        const void* bytes = kept.type == SQLITE_TEXT
                                ? static_cast<const void*>(sqlite3_value_text(value))
                                : sqlite3_value_blob(value);
        kept.size = sqlite3_value_bytes(value);
        if (kept.size > kept.capacity) {
            auto* grown = static_cast<unsigned char*>(sqlite3_realloc(kept.bytes, kept.size));
            if (!grown) {
                kept.type = SQLITE_NULL;
                return;
            }
            kept.bytes = grown;
            kept.capacity = kept.size;
        }
        if (kept.size > 0)
            std::memcpy(kept.bytes, bytes, static_cast<std::size_t>(kept.size));
    }
}

// The engine's order of values: nothing, then numbers, then texts by the field's collation
// (B binary, N nocase, R rtrim), then blobs.
int rankOf(int type) {
    switch (type) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return 1;
    case SQLITE_TEXT:
        return 2;
    default:
        return 3;
    }
}

int compareBytes(const unsigned char* a, int sizeA, const unsigned char* b, int sizeB,
                 char collation) {
    if (collation == 'R') {
        while (sizeA > 0 && a[sizeA - 1] == ' ')
            --sizeA;
        while (sizeB > 0 && b[sizeB - 1] == ' ')
            --sizeB;
    }
    const int common = std::min(sizeA, sizeB);
    if (collation != 'N') {
        const int compared = common > 0 ? std::memcmp(a, b, static_cast<std::size_t>(common)) : 0;
        if (compared != 0)
            return compared < 0 ? -1 : 1;
    } else {
        for (int i = 0; i < common; ++i) {
            unsigned char x = a[i];
            unsigned char y = b[i];
            x = (x >= 'A' && x <= 'Z') ? x + 32 : x;
            y = (y >= 'A' && y <= 'Z') ? y + 32 : y;
            if (x != y)
                return x < y ? -1 : 1;
        }
    }
    return sizeA == sizeB ? 0 : (sizeA < sizeB ? -1 : 1);
}

int compareValues(const Kept& a, sqlite3_value* b, char collation) {
    const int typeB = sqlite3_value_type(b);
    const int rankA = rankOf(a.type);
    const int rankB = rankOf(typeB);
    if (rankA != rankB)
        return rankA < rankB ? -1 : 1;
    switch (rankA) {
    case 0:
        return 0;
    case 1: {
        if (a.type == SQLITE_INTEGER && typeB == SQLITE_INTEGER) {
            const sqlite3_int64 y = sqlite3_value_int64(b);
            return a.integer == y ? 0 : (a.integer < y ? -1 : 1);
        }
        const long double x =
            a.type == SQLITE_INTEGER ? static_cast<long double>(a.integer) : a.real;
        const long double y = typeB == SQLITE_INTEGER
                                  ? static_cast<long double>(sqlite3_value_int64(b))
                                  : sqlite3_value_double(b);
        return x == y ? 0 : (x < y ? -1 : 1);
    }
    case 2: {
        const unsigned char* y = sqlite3_value_text(b);
        return compareBytes(a.bytes, a.size, y, sqlite3_value_bytes(b), collation);
    }
    default: {
        const auto* y = static_cast<const unsigned char*>(sqlite3_value_blob(b));
        return compareBytes(a.bytes, a.size, y, sqlite3_value_bytes(b), 'B');
    }
    }
}

// An index's entries as read in its order: their fingerprint, and whether any came out of
// order or repeated a key the index holds once.
struct Entries {
    std::uint64_t sum;
    int count;
    Kept previous[kMostFields];
    bool outOfOrder;
    bool repeated;
};

// quillan_entries(key, order, field..., rowid): `order` is "u" (unique) or "n", then a
// collation letter for each key field.
void entriesStep(sqlite3_context* context, int count, sqlite3_value** values) {
    auto* entries = static_cast<Entries*>(sqlite3_aggregate_context(context, sizeof(Entries)));
    if (!entries) {
        sqlite3_result_error_nomem(context);
        return;
    }
    const int fields = count - 2;
    const auto* order = reinterpret_cast<const char*>(sqlite3_value_text(values[1]));
    if (fields < 1 || fields > kMostFields || !order || sqlite3_value_bytes(values[1]) != fields) {
        sqlite3_result_error(context, "wrong use of quillan_entries", -1);
        return;
    }
    sqlite3_value** row = values + 2;
    const auto key = static_cast<std::uint64_t>(sqlite3_value_int64(values[0]));
    std::uint64_t hashes[kMostFields];
    for (int i = 0; i < fields; ++i)
        hashes[i] = withValue(key, row[i]);
    entries->sum += rowHash(key, fields, hashes);
    if (entries->count > 0) {
        const int keys = fields - 1;
        int compared = 0;
        for (int field = 0; field < keys && compared == 0; ++field)
            compared = compareValues(entries->previous[field], row[field], order[field + 1]);
        bool unknown = false;
        for (int field = 0; field < keys; ++field)
            unknown = unknown || sqlite3_value_type(row[field]) == SQLITE_NULL;
        // The key fields all equal, none of them nothing: a key held twice.
        if (compared == 0 && order[0] == 'u' && !unknown)
            entries->repeated = true;
        if (compared == 0)
            compared = compareValues(entries->previous[keys], row[keys], 'B');
        if (compared >= 0)
            entries->outOfOrder = true;
    }
    for (int i = 0; i < fields; ++i)
        keep(entries->previous[i], row[i]);
    entries->count = fields;
}

void entriesFinal(sqlite3_context* context) {
    auto* entries = static_cast<Entries*>(sqlite3_aggregate_context(context, 0));
    if (!entries) {
        sqlite3_result_int64(context, 0);
        return;
    }
    for (Kept& kept : entries->previous)
        sqlite3_free(kept.bytes);
    if (entries->repeated)
        sqlite3_result_error(context, "non-unique entry", -1);
    else if (entries->outOfOrder)
        sqlite3_result_error(context, "entries out of order", -1);
    else
        sqlite3_result_int64(context, static_cast<sqlite3_int64>(entries->sum));
}

QString textOf(sqlite3_stmt* row, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(row, column)));
}

QString quoted(QString name) {
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

// A connection of its own, for reading only, with the fingerprint function.
class Reader {
public:
    explicit Reader(const QString& path) {
        const BookAccess::ReadingConnection reading = BookAccess::readingConnection(path);
        int flags = SQLITE_OPEN_READONLY;
        if (reading.options.contains(QLatin1String("QSQLITE_OPEN_URI")))
            flags |= SQLITE_OPEN_URI;
        const QByteArray name = reading.options.contains(QLatin1String("QSQLITE_OPEN_URI"))
                                    ? reading.databaseName.toUtf8()
                                    : QFile::encodeName(reading.databaseName);
        if (sqlite3_open_v2(name.constData(), &m_handle, flags, nullptr) != SQLITE_OK ||
            sqlite3_create_function_v2(m_handle, kFingerprints, -1, SQLITE_UTF8, nullptr, nullptr,
                                       fingerprintsStep, fingerprintsFinal, nullptr) != SQLITE_OK ||
            sqlite3_create_function_v2(m_handle, kEntries, -1, SQLITE_UTF8, nullptr, nullptr,
                                       entriesStep, entriesFinal, nullptr) != SQLITE_OK) {
            const QString reason = message();
            sqlite3_close(m_handle);
            throw Failure(ErrorNumber::Unnumbered, reason);
        }
    }
    ~Reader() { sqlite3_close(m_handle); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // Runs sql, its "?1" bound to `bound` (a key or a name), calling row for each row of the
    // answer.
    void run(const QString& sql, const std::function<void(sqlite3_stmt*)>& row,
             const QVariant& bound = {}) const {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_handle, sql.toUtf8().constData(), -1, &statement, nullptr) !=
            SQLITE_OK)
            throw Failure(ErrorNumber::Unnumbered, message());
        if (bound.typeId() == QMetaType::LongLong) {
            sqlite3_bind_int64(statement, 1, bound.toLongLong());
        } else if (bound.isValid()) {
            const QByteArray text = bound.toString().toUtf8();
            sqlite3_bind_text(statement, 1, text.constData(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
        }
        int stepped = SQLITE_ROW;
        while ((stepped = sqlite3_step(statement)) == SQLITE_ROW)
            row(statement);
        sqlite3_finalize(statement);
        if (stepped != SQLITE_DONE)
            throw Failure(ErrorNumber::Unnumbered, message());
    }
    QStringList texts(const QString& sql) const {
        QStringList found;
        run(sql, [&found](sqlite3_stmt* statement) {
            found << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        });
        return found;
    }

private:
    QString message() const {
        return m_handle ? QString::fromUtf8(sqlite3_errmsg(m_handle))
                        : QStringLiteral("out of memory");
    }

    sqlite3* m_handle = nullptr;
};

struct Index {
    QString name;
    QStringList fields; // its key fields, quoted
    QString order;      // "u" or "n", then each key field's collation letter
};

struct Table {
    QString name;
    QList<Index> indexes;
    // Checked by the engine's own full check: a table without row numbers, or with an index
    // on an expression or on part of its rows.
    bool byEngine = false;
};

// A count of entries and their fingerprint.
struct Sum {
    qint64 count = 0;
    qint64 fingerprint = 0;
    bool operator==(const Sum&) const = default;
};

QList<Table> tablesOf(const Reader& reader) {
    QList<Table> tables;
    reader.run(QStringLiteral("SELECT name, wr FROM pragma_table_list WHERE schema = 'main' AND "
                              "type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                              "ORDER BY name"),
               [&tables](sqlite3_stmt* row) {
                   Table table;
                   table.name = textOf(row, 0);
                   table.byEngine = sqlite3_column_int(row, 1) != 0;
                   tables << table;
               });
    for (Table& table : tables) {
        if (table.byEngine)
            continue;
        QList<Index> indexes;
        bool partial = false;
        reader.run(
            QStringLiteral("SELECT name, \"unique\", partial FROM pragma_index_list(?1)"),
            [&](sqlite3_stmt* row) {
                Index index;
                index.name = textOf(row, 0);
                index.order =
                    sqlite3_column_int(row, 1) != 0 ? QStringLiteral("u") : QStringLiteral("n");
                partial = partial || sqlite3_column_int(row, 2) != 0;
                indexes << index;
            },
            table.name);
        for (Index& index : indexes) {
            reader.run(
                QStringLiteral("SELECT cid, name, upper(coll), desc "
                               "FROM pragma_index_xinfo(?1) WHERE key ORDER BY seqno"),
                [&](sqlite3_stmt* row) {
                    const QString collation = textOf(row, 2);
                    // An expression, a descending field or a collation of another
                    // program's: read in an order only the engine knows.
                    if (sqlite3_column_int(row, 0) < 0 || sqlite3_column_int(row, 3) != 0 ||
                        !kCollations.contains(collation)) {
                        partial = true;
                        return;
                    }
                    index.fields << quoted(textOf(row, 1));
                    index.order += collation.at(0);
                },
                index.name);
            partial = partial || index.fields.isEmpty() || index.fields.size() >= kMostFields;
        }
        table.byEngine = partial || indexes.size() > kMostIndexes;
        if (!partial)
            table.indexes = indexes;
    }
    return tables;
}

// The index's side: the order is made of letters only.
QString entriesOf(const Index& index) {
    return QLatin1String(kEntries) + QStringLiteral("(?1, '") + index.order +
           QStringLiteral("', ") + index.fields.join(QStringLiteral(", ")) +
           QStringLiteral(", rowid)");
}

Sum sumFrom(sqlite3_stmt* row, int column) {
    return {sqlite3_column_int64(row, 0), sqlite3_column_int64(row, column)};
}

// Every table's rows read once, each index's fields summed: the sums by index name.
QHash<QString, Sum> rowSums(const Reader& reader, const QList<Table>& tables, qint64 key) {
    QHash<QString, Sum> sums;
    for (const Table& table : tables) {
        if (table.byEngine || table.indexes.isEmpty())
            continue;
        // Each field read once; the plan names, for each index, its fields' places.
        QStringList values;
        QStringList plan;
        for (const Index& index : table.indexes) {
            QStringList places;
            for (const QString& field : index.fields + QStringList{QStringLiteral("rowid")}) {
                if (!values.contains(field))
                    values << field;
                places << QString::number(values.indexOf(field));
            }
            plan << places.join(QLatin1Char(' '));
        }
        reader.run(
            QStringLiteral("SELECT count(*), %1(?1, '%2', %3) FROM %4 NOT INDEXED")
                .arg(QLatin1String(kFingerprints), plan.join(QLatin1Char(';')),
                     values.join(QStringLiteral(", ")), quoted(table.name)),
            [&](sqlite3_stmt* row) {
                const auto* blob = static_cast<const unsigned char*>(sqlite3_column_blob(row, 1));
                const int size = sqlite3_column_bytes(row, 1);
                for (qsizetype i = 0; i < table.indexes.size(); ++i) {
                    std::uint64_t fingerprint = 0;
                    if (blob && size >= int((i + 1) * sizeof fingerprint))
                        std::memcpy(&fingerprint, blob + i * sizeof fingerprint,
                                    sizeof fingerprint);
                    sums.insert(table.indexes.at(i).name,
                                {sqlite3_column_int64(row, 0), static_cast<qint64>(fingerprint)});
                }
            },
            key);
    }
    return sums;
}

// The indexes' side, shared between the two threads: each reads the next index (or the next
// table the engine checks) as soon as it is free, so both end at about the same time.
class IndexWork {
public:
    IndexWork(const QList<Table>& tables, qint64 key) : m_key(key) {
        for (const Table& table : tables) {
            if (table.byEngine)
                m_tasks.push_back({&table, nullptr});
            for (const Index& index : table.indexes)
                m_tasks.push_back({&table, &index});
        }
        m_sums.resize(m_tasks.size());
        m_problems.resize(m_tasks.size());
    }

    // Reads on `reader` until no index is left or the work was stopped.
    void take(const Reader& reader) {
        for (std::size_t at = m_next++; at < m_tasks.size() && !m_stopped; at = m_next++) {
            const Task& task = m_tasks.at(at);
            if (!task.index) {
                m_problems[at] = reader.texts(QStringLiteral("PRAGMA integrity_check(") +
                                              quoted(task.table->name) + QLatin1Char(')'));
                m_problems[at].removeAll(QStringLiteral("ok"));
                continue;
            }
            try {
                reader.run(
                    QStringLiteral("SELECT count(*), ") + entriesOf(*task.index) +
                        QStringLiteral(" FROM ") + quoted(task.table->name) +
                        QStringLiteral(" INDEXED BY ") + quoted(task.index->name),
                    [&](sqlite3_stmt* row) { m_sums[at] = sumFrom(row, 1); }, m_key);
            } catch (const Failure& failure) {
                m_problems[at]
                    << QStringLiteral("index %1: %2").arg(task.index->name, failure.description());
            }
        }
    }
    void stop() { m_stopped = true; }

    // In the order of the tables and their indexes, whichever thread read them.
    QStringList problems() const {
        QStringList found;
        for (const QStringList& problems : m_problems)
            found << problems;
        return found;
    }
    QHash<QString, Sum> sums() const {
        QHash<QString, Sum> sums;
        for (std::size_t at = 0; at < m_tasks.size(); ++at)
            if (m_tasks.at(at).index)
                sums.insert(m_tasks.at(at).index->name, m_sums.at(at));
        return sums;
    }

private:
    struct Task {
        const Table* table;
        const Index* index; // none: the table is checked by the engine
    };
    const qint64 m_key;
    std::vector<Task> m_tasks;
    // Each written by the one thread that took its task, read after both have ended.
    std::vector<Sum> m_sums;
    std::vector<QStringList> m_problems;
    std::atomic<std::size_t> m_next = 0;
    std::atomic<bool> m_stopped = false;
};

} // namespace

QString problems(const QString& path) {
    QStringList found;
    try {
        const Reader reader(path);
        // Texts are compared here as the bytes of UTF-8; a book kept in another encoding is
        // checked by the engine alone.
        if (reader.texts(QStringLiteral("PRAGMA encoding")) != QStringList{"UTF-8"}) {
            found = reader.texts(QStringLiteral("PRAGMA integrity_check(%1)").arg(kMostProblems));
            found.removeAll(QStringLiteral("ok"));
            return found.join(QLatin1Char('\n'));
        }
        const QList<Table> tables = tablesOf(reader);
        // Keyed afresh, so that no file can be made whose wrong entries sum as the right ones.
        const auto key = static_cast<qint64>(QRandomGenerator::system()->generate64());
        IndexWork work(tables, key);
        // The rows' side reads every table once, then takes its share of the indexes.
        std::future<QHash<QString, Sum>> rows =
            std::async(std::launch::async, [&work, path, tables, key] {
                const Reader rowReader(path);
                QHash<QString, Sum> sums = rowSums(rowReader, tables, key);
                work.take(rowReader);
                return sums;
            });
        QHash<QString, Sum> entries;
        std::optional<Failure> failed;
        try {
            found = reader.texts(QStringLiteral("PRAGMA quick_check(%1)").arg(kMostProblems));
            if (found == QStringList{QStringLiteral("ok")}) {
                found.clear();
                work.take(reader);
            } else {
                work.stop();
            }
        } catch (const Failure& failure) {
            work.stop();
            failed = failure;
        }
        // The rows' side ends before this returns, whatever the indexes' side found.
        QHash<QString, Sum> sums;
        try {
            sums = rows.get();
        } catch (const Failure& failure) {
            if (!failed && found.isEmpty())
                failed = failure;
        }
        if (failed)
            throw *failed;
        if (found.isEmpty()) {
            found = work.problems();
            entries = work.sums();
        }
        if (found.isEmpty())
            for (const Table& table : tables)
                for (const Index& index : table.indexes) {
                    const Sum row = sums.value(index.name);
                    const Sum entry = entries.value(index.name);
                    if (row.count != entry.count)
                        found << QStringLiteral("wrong # of entries in index %1: %2 for %3 rows")
                                     .arg(index.name)
                                     .arg(entry.count)
                                     .arg(row.count);
                    else if (!(row == entry))
                        found << QStringLiteral("index %1 does not match the rows of %2")
                                     .arg(index.name, table.name);
                }
    } catch (const Failure& failure) {
        found << failure.description();
    }
    return found.mid(0, kMostProblems).join(QLatin1Char('\n'));
}

} // namespace BookIntegrity
