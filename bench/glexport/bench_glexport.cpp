// How fast the current month goes to Accpac / Adagio on a book of a million transactions
// (about 8,000 in the current month): the distribution rebuilt in each mode, the batch
// rebuilt, the file written, the month marked, and the whole export command without its
// dialogs (questions answered and the file chosen by script), and memory.
//
//   bench_glexport [BOOK] [TRANSACTIONS]
//
// BOOK is a book made by quillan_genbook; it is copied, never changed. Without it a book of
// TRANSACTIONS (default 1000000) transactions is generated first. Every step is checked
// against the book by queries of its own: a step that did not do what it was timed for
// reports WRONG, not a time, and the exit status is 1 (3 when every step went right but a
// target was missed).
//
// Targets: mode-1 rebuild 100 ms, batch rebuild 100 ms, file 200 ms, marking 100 ms, the
// whole command 500 ms, memory 200 MB.

#include "bookgenerator.h"
#include "figures.h"
#include "support/scriptedservices.h"

#include "data/database.h"
#include "data/messages.h"
#include "data/recordfilewriter.h"
#include "glexport/glbatchfile.h"
#include "glexport/gldistribution.h"
#include "glexport/glexportcommands.h"
#include "kit/services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kRuns = 7;
constexpr int kWidth = 44;

// Answers Yes to every question but the offer to view the file, and remembers the texts.
class AnsweringPrompts : public Prompts {
public:
    Answer show(const QString& text, Icon, Buttons buttons, Answer) override {
        shown << text;
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return text == Messages::viewExportQuestion() ? Answer::No : Answer::Yes;
    }
    QStringList shown;
};

// What the current month should give, counted from tblCashbook directly.
struct Month {
    QString first;
    QString next;
    qint64 transactions = 0;
    qint64 lines = 0; // non-zero sides
    qint64 bankLines = 0;
};

Month expectedMonth(const Database& db) {
    Month month;
    const auto range = GlDistribution::currentMonth(db);
    if (!range)
        return month;
    month.first = range->first;
    month.next = range->second;
    QSqlQuery query = db.exec(
        QStringLiteral("SELECT COUNT(*), SUM(COALESCE(DoubleEntryBank, 0) <> 0), "
                       "SUM((COALESCE(DoubleEntryBank, 0) <> 0) + (COALESCE(DoubleEntryOffset, "
                       "0) <> 0) + (COALESCE(DoubleEntryGST, 0) <> 0)) FROM tblCashbook WHERE "
                       "substr(TransDate, 1, 7) = substr(?, 1, 7)"),
        {month.first});
    query.next();
    month.transactions = query.value(0).toLongLong();
    month.bankLines = query.value(1).toLongLong();
    month.lines = query.value(2).toLongLong();
    return month;
}

qint64 count(const Database& db, const QString& sql, const QVariantList& values = {}) {
    return db.scalar(sql, values).toLongLong();
}

qint64 unmarkedInMonth(const Database& db, const Month& month) {
    return count(db,
                 QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE substr(TransDate, 1, 7) = "
                                "substr(?, 1, 7) AND ExportedToAccpac = 0"),
                 {month.first});
}

void unmarkMonth(const Database& db, const Month& month) {
    db.execute(QStringLiteral("UPDATE tblCashbook SET ExportedToAccpac = 0 WHERE TransDate >= ? "
                              "AND TransDate < ?"),
               {month.first, month.next});
}

bool balanced(const Database& db) {
    return count(db, QStringLiteral("SELECT SUM(DR) + SUM(CR) FROM tblGLDistribution")) == 0;
}

// Lines of the file, each ending in CR LF, the first as the file format says.
qint64 fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\"E\", 1 ,\"") || !bytes.endsWith("\r\n"))
        return -1;
    return bytes.count("\r\n");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    QTemporaryDir dir;
    const QString bookPath = dir.path() + QStringLiteral("/cashbook.mdb");
    if (!BookGenerator::benchBook(args, bookPath, QDate(2003, 1, 31)))
        return 2;

    Database db;
    db.open(bookPath);
    AnsweringPrompts prompts;
    ScriptedFileDialogs fileDialogs;
    RecordingLauncher launcher;
    RecordingBusyPointer busy;
    FixedClock clock;
    Services services{db, prompts, fileDialogs, launcher, busy, clock, dir.path(), [] {}};
    services.book = bookPath;

    const Month month = expectedMonth(db);
    std::printf(
        "%lld transactions in the book, %lld in the current month (%s), %lld lines\n",
        static_cast<long long>(count(db, QStringLiteral("SELECT COUNT(*) FROM tblCashbook"))),
        static_cast<long long>(month.transactions), qPrintable(month.first),
        static_cast<long long>(month.lines));
    if (!check(month.transactions > 0, "the book has no transaction in its current month"))
        return benchStatus();
    printLoad("before");
    const qint64 markedElsewhere =
        count(db,
              QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE ExportedToAccpac <> 0 AND NOT "
                             "(TransDate >= ? AND TransDate < ?)"),
              {month.first, month.next});

    Figures mode0;
    Figures mode1;
    Figures mode2;
    Figures batch;
    Figures file;
    Figures marking;
    Figures command;
    const QString path = dir.path() + QStringLiteral("/GLBATCH.TXT");
    const qint64 outstandingBefore =
        count(db,
              QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE TransStatus = '1' OR "
                             "(TransStatus = '2' AND TransDate >= ? AND TransDate < ?)"),
              {month.first, month.next});
    for (int run = 0; run < kRuns; ++run) {
        qint64 got = 0;
        mode0.add(timed([&] { got = GlDistribution::rebuild(db, GlDistribution::BankSides); }));
        mode0.check(got == month.transactions &&
                        count(db, QStringLiteral("SELECT COUNT(*) FROM tblGLDistribution")) ==
                            month.bankLines,
                    "mode 0: not one line per bank side of the month");
        mode2.add(
            timed([&] { got = GlDistribution::rebuild(db, GlDistribution::Reconciliation); }));
        mode2.check(got == outstandingBefore, "mode 2: not the outstanding and reconciled rows");

        mode1.add(timed([&] { got = GlDistribution::rebuild(db, GlDistribution::AllSides); }));
        mode1.check(got == month.transactions &&
                        count(db, QStringLiteral("SELECT COUNT(*) FROM tblGLDistribution")) ==
                            month.lines &&
                        balanced(db),
                    "mode 1: not every side of the month, or not balanced");

        batch.add(timed([&] { got = GlDistribution::rebuildBatch(db); }));
        batch.check(got == month.lines &&
                        count(db, QStringLiteral("SELECT SUM(Amount) FROM "
                                                 "tblGLDistributionAccpacGL")) == 0,
                    "batch: not one balanced line per distribution line");

        std::optional<qint64> written;
        file.add(timed([&] {
            QSqlQuery selection = db.exec(GlBatchFile::selectionQuery(true, true));
            written = RecordFileWriter::write(selection, path, &GlBatchFile::line);
        }));
        file.check(written && *written == month.lines && fileLines(path) == month.lines,
                   "file: not one line per batch line");

        unmarkMonth(db, month);
        bool marked = false;
        marking.add(timed([&] { marked = GlDistribution::markAsExported(db); }));
        marking.check(marked && unmarkedInMonth(db, month) == 0,
                      "marking: not every transaction of the month marked");

        unmarkMonth(db, month);
        QFile::remove(path);
        prompts.shown.clear();
        fileDialogs.answer(path);
        command.add(timed([&] { exportToAccpac(services, nullptr); }));
        command.check(prompts.shown.contains(Messages::exportSucceeded(path, month.lines)) &&
                          prompts.shown.contains(Messages::exportedAndMarked()) &&
                          fileLines(path) == month.lines && unmarkedInMonth(db, month) == 0,
                      "command: the file not written or the month not marked");
    }
    check(count(db,
                QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE ExportedToAccpac <> 0 AND "
                               "NOT (TransDate >= ? AND TransDate < ?)"),
                {month.first, month.next}) == markedElsewhere,
          "rows of other months were marked");

    mode0.report("Distribution, mode 0 (bank sides)", 0, kWidth);
    mode1.report("Distribution, mode 1 (every side)", 100, kWidth);
    mode2.report("Distribution, mode 2 (bank reconciliation)", 0, kWidth);
    batch.report("GL batch rebuilt", 100, kWidth);
    file.report("Batch file written (multi-currency)", 200, kWidth);
    marking.report("Month marked as exported", 100, kWidth);
    command.report("Whole export command, no dialogs", 500, kWidth);
    const double memory = peakResidentMb();
    std::printf("  %-*s %8.1f MB (target 200 MB) %s\n", kWidth, "peak memory", memory,
                withinTarget(memory < 200) ? "ok" : "TOO MUCH");
    printLoad("after");
    return benchStatus();
}
