// Kills a writer at random moments and checks the book after each kill.
//
//   quillan_crashharness <cycles> [seed]
//
// Each cycle starts this program again as the writer (voucher saves with their counter,
// master file imports, compactions and period ends with their automatic backup, at random,
// on one book in a temporary folder), kills
// it with SIGKILL after a random wait, then opens the book as the program would and checks:
// the engine's integrity check; every save the writer recorded as committed is present; every
// transaction's three double-entry amounts sum to zero; the cheque counter is past every
// number handed out; each import added an exact prefix of its file in whole batches; a
// compaction cut short left every table with the row count and sums it had before; the fiscal
// month moved by whole period ends only; every backup in the backups folder is a sound book
// and no more than the kept number (and the one being made) are there. A new book
// is started every hundred cycles, so a long run's cycles stay short. Prints
// the cycles run and the violations found; exits non-zero when there was any.
#include "data/bookbackup.h"
#include "data/bookcompaction.h"
#include "data/bookcopy.h"
#include "data/bookrestore.h"
#include "data/database.h"
#include "data/schema.h"
#include "entry/cashbookstore.h"
#include "masterfiles/masterfile.h"
#include "masterfiles/masterfileimport.h"
#include "reconciliation/periodend.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {

QString bookIn(const QString& dir) {
    return dir + QStringLiteral("/cashbook.mdb");
}

// The writer's record of what it has done: a line is written and synced only after the
// work it names was committed (or, for a begin line, before the work starts).
class Record {
public:
    explicit Record(const QString& path) {
        m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    }
    ~Record() { ::close(m_fd); }
    void write(const QString& line) const {
        const QByteArray bytes = line.toUtf8() + '\n';
        if (::write(m_fd, bytes.constData(), size_t(bytes.size())) != bytes.size() ||
            ::fsync(m_fd) != 0)
            std::exit(3);
    }

private:
    int m_fd = -1;
};

QStringList tallies(const Database& db) {
    QStringList all;
    for (const QString& table : Schema::tableNames())
        all << table + QLatin1Char(' ') + BookCopy::tally(db, table);
    return all;
}

void save(const Database& db, const Record& record, QRandomGenerator& random) {
    const CashbookStore store(db);
    const qint32 number = store.nextUnusedNumber(QStringLiteral("NextCheque"));
    const qint64 offset = qint64(random.bounded(1, 1000000)) * 100;
    const qint64 tax = qint64(random.bounded(0, 100000)) * 100;
    const QVariantMap columns = {{QStringLiteral("TransID"), QString::number(number)},
                                 {QStringLiteral("TransDate"), QStringLiteral("2003-01-15")},
                                 {QStringLiteral("TransType"), QStringLiteral("1")},
                                 {QStringLiteral("TransStatus"), QStringLiteral("1")},
                                 {QStringLiteral("DoubleEntryOffset"), offset},
                                 {QStringLiteral("DoubleEntryGST"), tax},
                                 {QStringLiteral("DoubleEntryBank"), -offset - tax}};
    store.write(columns, QString(),
                CashbookStore::Counter{QStringLiteral("NextCheque"), number + 1});
    record.write(QStringLiteral("save %1").arg(number));
}

void import(const Database& db, const QString& dir, const Record& record,
            QRandomGenerator& random) {
    const QString tag = QStringLiteral("I%1").arg(random.generate() % 100000000);
    const int lines = random.bounded(1000, 12001);
    const QString path = dir + QStringLiteral("/import.txt");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::exit(3);
        for (int i = 0; i < lines; ++i)
            file.write(QStringLiteral("\"%1-%2\",\"Vendor\",\"\",\"\",\"\",\"\",\"\"\r\n")
                           .arg(tag)
                           .arg(i)
                           .toUtf8());
    }
    record.write(QStringLiteral("import %1 %2").arg(tag).arg(lines));
    MasterFileImport(db, MasterFile::of(MasterFile::Kind::Vendors)).run(path);
}

void compact(Database& db, const QString& dir, const Record& record) {
    record.write(QStringLiteral("compact ") + tallies(db).join(QLatin1Char('|')));
    BookCompaction compaction(db, bookIn(dir));
    compaction.checkBook();
    compaction.removeLeftover();
    compaction.makeCheckedCopy();
    compaction.replaceBook();
    db.open(bookIn(dir));
    record.write(QStringLiteral("compacted"));
}

QString periodText(const PeriodEnd::FiscalPeriod& period) {
    return QStringLiteral("%1 %2").arg(period.month).arg(period.year);
}

// Period end as the program runs it: a checked automatic backup, then the month moves on.
void periodEnd(const Database& db, const QString& dir, const Record& record) {
    record.write(QStringLiteral("periodend ") + periodText(PeriodEnd::current(db)));
    BookBackup::makeAutomatic(db, bookIn(dir), QStringLiteral("period end"));
    record.write(QStringLiteral("period ") + periodText(PeriodEnd::advance(db)));
}

int runWriter(const QString& dir, quint32 seed) {
    QRandomGenerator random(seed);
    Database db;
    db.open(bookIn(dir));
    const Record record(dir + QStringLiteral("/record.txt"));
    for (int step = 0; step < 100000; ++step) {
        const int what = random.bounded(81);
        if (what < 74)
            save(db, record, random);
        else if (what < 78)
            import(db, dir, record, random);
        else if (what < 80)
            compact(db, dir, record);
        else
            periodEnd(db, dir, record);
    }
    return 0;
}

// The checks after a kill; returns the violations, each described. `cycleStart` is where
// this cycle's writer began to append to the record: a compaction is judged only when this
// writer was cut short in it. (A compaction cut short in an earlier cycle may be followed by
// a save that committed but was killed before its record was written.)
QStringList check(const QString& dir, qint64 cycleStart) {
    QStringList violations;
    Database db(QStringLiteral("checker"));
    try {
        db.open(bookIn(dir));
    } catch (const Failure& failure) {
        return {QStringLiteral("the book does not open: ") + failure.description()};
    }
    const QString integrity = db.scalar(QStringLiteral("PRAGMA integrity_check")).toString();
    if (integrity != QLatin1String("ok"))
        violations << QStringLiteral("integrity: ") + integrity;

    QFile file(dir + QStringLiteral("/record.txt"));
    QByteArray recorded;
    if (file.open(QIODevice::ReadOnly))
        recorded = file.readAll();
    const QStringList lines =
        QString::fromUtf8(recorded).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const qsizetype earlierLines = QString::fromUtf8(recorded.left(cycleStart))
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                       .size();
    QString lastCompaction;
    QStringList periods; // the fiscal months the book may be in
    for (qsizetype at = 0; at < lines.size(); ++at) {
        const QString& line = lines.at(at);
        const QStringList parts = line.split(QLatin1Char(' '));
        if (parts.first() == QLatin1String("period")) {
            periods = {parts.mid(1).join(QLatin1Char(' '))};
        } else if (parts.first() == QLatin1String("periodend")) {
            // A period end cut short may or may not have moved the month, never anything else.
            const QString seen = parts.mid(1).join(QLatin1Char(' '));
            if (!periods.contains(seen))
                violations << QStringLiteral("a period end began at %1, not at %2")
                                  .arg(seen, periods.join(QStringLiteral(" or ")));
            periods = {seen,
                       periodText(PeriodEnd::next({parts.at(1).toInt(), parts.at(2).toInt()}))};
        }
        if (parts.first() == QLatin1String("save")) {
            if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE TransID = ?"),
                          {parts.at(1)})
                    .toInt() != 1)
                violations << QStringLiteral("saved transaction %1 is missing").arg(parts.at(1));
        } else if (parts.first() == QLatin1String("import")) {
            const qint64 lineCount = parts.at(2).toLongLong();
            const QString prefix = parts.at(1) + QLatin1Char('-');
            QSqlQuery added = db.exec(
                QStringLiteral("SELECT COUNT(*), MAX(CAST(substr(VendorID, ?) AS INTEGER)) FROM "
                               "tblVendors WHERE VendorID LIKE ?"),
                {prefix.size() + 1, prefix + QLatin1Char('%')});
            added.next();
            const qint64 count = added.value(0).toLongLong();
            const bool wholeBatches =
                count % MasterFileImport::BatchSize == 0 || count == lineCount;
            const bool prefixOnly = count == 0 || added.value(1).toLongLong() == count - 1;
            if (!wholeBatches || !prefixOnly)
                violations << QStringLiteral("import %1 added %2 of %3 lines, not a prefix in "
                                             "whole batches")
                                  .arg(parts.at(1))
                                  .arg(count)
                                  .arg(lineCount);
        }
        if (parts.first() == QLatin1String("compact") && at >= earlierLines)
            lastCompaction = line.mid(8);
        else
            lastCompaction.clear();
    }
    const qint64 unbalanced =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE COALESCE(DoubleEntryBank, "
                                 "0) + COALESCE(DoubleEntryOffset, 0) + COALESCE(DoubleEntryGST, "
                                 "0) <> 0"))
            .toLongLong();
    if (unbalanced)
        violations << QStringLiteral("%1 transactions do not sum to zero").arg(unbalanced);
    const qint64 highest =
        db.scalar(QStringLiteral("SELECT COALESCE(MAX(CAST(TransID AS INTEGER)), 0) FROM "
                                 "tblCashbook"))
            .toLongLong();
    const qint64 counter =
        db.scalar(QStringLiteral("SELECT NextCheque FROM tblBankDetails")).toLongLong();
    if (counter <= highest)
        violations << QStringLiteral("the counter %1 is not past number %2 already handed out")
                          .arg(counter)
                          .arg(highest);
    if (!lastCompaction.isEmpty() && tallies(db).join(QLatin1Char('|')) != lastCompaction)
        violations << QStringLiteral("a compaction cut short changed the book's rows or sums");
    try {
        const QString period = periodText(PeriodEnd::current(db));
        if (!periods.contains(period))
            violations << QStringLiteral("the book is in %1, not in %2")
                              .arg(period, periods.join(QStringLiteral(" or ")));
    } catch (const Failure& failure) {
        violations << QStringLiteral("the fiscal month: ") + failure.description();
    }
    const QStringList backups = BookBackup::backups(bookIn(dir));
    if (backups.size() > BookBackup::kKeptAutomatic + 1)
        violations << QStringLiteral("%1 backups are kept").arg(backups.size());
    for (const QString& backup : backups) {
        try {
            // Checked as a restore checks it: a copy opened and checked whole.
            const BookRestore check(bookIn(dir), backup);
        } catch (const Failure& failure) {
            violations << QStringLiteral("a backup is unsound: ") + failure.description();
        }
    }
    return violations;
}

// What the writer was doing when it was killed, from its last record: 0 saving, 1 importing,
// 2 compacting, 3 in period end.
int lastWork(const QString& dir) {
    QFile file(dir + QStringLiteral("/record.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray all = file.readAll().trimmed();
    const QByteArray last = all.mid(all.lastIndexOf('\n') + 1);
    if (last.startsWith("import "))
        return 1;
    if (last.startsWith("periodend "))
        return 3;
    return last.startsWith("compact ") ? 2 : 0;
}

constexpr qint64 kCyclesPerBook = 100;

// A new book in its folder, in December so that the first period end rolls the year over.
void newBook(const QString& dir) {
    Schema::createBook(bookIn(dir));
    Database db;
    db.open(bookIn(dir));
    db.execute(QStringLiteral(
        "UPDATE tblBankDetails SET NextCheque = 1000, CurrentMonth = '12', CurrentYear = '2002'"));
    Record(dir + QStringLiteral("/record.txt")).write(QStringLiteral("period 12 2002"));
}

int runHarness(qint64 cycles, quint32 seed) {
    std::optional<QTemporaryDir> dir;
    QRandomGenerator random(seed);
    qint64 violations = 0;
    qint64 killedIn[4] = {}; // saving, importing, compacting, in period end
    for (qint64 cycle = 1; cycle <= cycles; ++cycle) {
        // A fresh book now and then keeps a cycle's time from growing with the book.
        if ((cycle - 1) % kCyclesPerBook == 0) {
            dir.emplace();
            newBook(dir->path());
        }
        const qint64 cycleStart = QFileInfo(dir->path() + QStringLiteral("/record.txt")).size();
        QProcess writer;
        writer.setProcessChannelMode(QProcess::ForwardedChannels);
        writer.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--writer"), dir->path(), QString::number(random.generate())});
        if (!writer.waitForStarted()) {
            std::fprintf(stderr, "the writer did not start\n");
            return 2;
        }
        QThread::msleep(random.bounded(10, 400));
        writer.kill(); // SIGKILL
        writer.waitForFinished();
        if (writer.exitStatus() == QProcess::NormalExit)
            std::fprintf(stderr, "cycle %lld: the writer ended on its own (%d)\n", cycle,
                         writer.exitCode());
        ++killedIn[lastWork(dir->path())];
        for (const QString& violation : check(dir->path(), cycleStart)) {
            ++violations;
            std::fprintf(stderr, "cycle %lld: %s\n", cycle, qPrintable(violation));
        }
    }
    std::printf("cycles %lld violations %lld (killed while saving %lld, importing %lld, "
                "compacting %lld, in period end %lld)\n",
                cycles, violations, killedIn[0], killedIn[1], killedIn[2], killedIn[3]);
    return violations == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 4 && args.at(1) == QLatin1String("--writer"))
            return runWriter(args.at(2), args.at(3).toUInt());
        if (args.size() < 2 || args.at(1).toLongLong() < 1) {
            std::fprintf(stderr, "usage: %s <cycles> [seed]\n", argv[0]);
            return 2;
        }
        const quint32 seed =
            args.size() > 2 ? args.at(2).toUInt() : QRandomGenerator::system()->generate();
        std::printf("seed %u\n", seed);
        return runHarness(args.at(1).toLongLong(), seed);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.description()));
        return 2;
    }
}
