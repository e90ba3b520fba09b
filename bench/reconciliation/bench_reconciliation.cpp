// How fast the balances, the reconciliation screen and period end answer over a book of a
// million transactions: the three balances, opening the screen on the current and outstanding
// transactions, switching to all of them, jumping to the last, a status change with the
// figures worked out again, period end with its backup (against a plain copy of the book's
// pages, timed in the same run), Back Up Book, Restore Book, Compact Database, and memory.
//
//   bench_reconciliation [BOOK] [TRANSACTIONS]
//
// BOOK is a book made by quillan_genbook; it is copied, never changed. Without it a book of
// TRANSACTIONS (default 1000000) transactions is generated first. Every step is checked
// against the book: the balances against sums over the transactions themselves, the lists
// against counts and keys read from the book. A step that did not do what it was timed for
// reports WRONG, not a time, and the exit status is 1 (3 when every step went right but a
// target was missed).

#include "bookgenerator.h"
#include "figures.h"
#include "support/scriptedservices.h"

#include "data/bookbackup.h"
#include "data/bookcopy.h"
#include "data/codes.h"
#include "data/database.h"
#include "data/messages.h"
#include "kit/services.h"
#include "masters/gridview.h"
#include "reconciliation/balances.h"
#include "reconciliation/cashbookwindow.h"
#include "reconciliation/currentbalance.h"
#include "reconciliation/periodend.h"
#include "reconciliation/periodendcommand.h"
#include "shell/bookbackupcommands.h"
#include "shell/compactdatabase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

namespace {

constexpr int kRuns = 7;
// Compaction rewrites every row: fewer runs.
constexpr int kCompactionRuns = 3;
constexpr int kWidth = 46;

// Answers every question Yes and every notice OK, and remembers the texts.
class AnsweringPrompts : public Prompts {
public:
    Answer show(const QString& text, Icon, Buttons buttons, Answer) override {
        shown << text;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    QStringList shown;
};

void click(QWidget* window, const char* name) {
    window->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
    QCoreApplication::processEvents();
}

QString caption(QWidget* window) {
    return window->findChild<QLabel*>(QStringLiteral("lblPosition"))->text();
}

QString fieldText(QWidget* window, const char* name) {
    return window->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
}

// The balance of a mode summed over the transactions themselves.
Money fullSum(const Database& db, int mode) {
    QString sql = QStringLiteral("SELECT (SELECT StartingBankBalance FROM tblBankDetails) + "
                                 "IFNULL(SUM(DoubleEntryBank), 0) FROM tblCashbook WHERE ");
    QVariantList values;
    if (mode == Balances::StatementBalance) {
        sql += QStringLiteral("TransStatus = '2'");
    } else {
        sql += QStringLiteral("TransStatus IN ('1', '2')");
        if (mode == Balances::OpeningBalance) {
            const PeriodEnd::FiscalPeriod now = PeriodEnd::current(db);
            sql += QStringLiteral(" AND TransDate < ?");
            values << QDate(now.year, now.month, 1).toString(Qt::ISODate);
        }
    }
    return Money::fromUnits(db.scalar(sql, values).toLongLong());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    QTemporaryDir dir;
    const QString bookPath = dir.path() + QStringLiteral("/cashbook.mdb");
    if (!BookGenerator::benchBook(args, bookPath))
        return 2;

    Database db;
    QElapsedTimer making;
    making.start();
    const BookFormat::Upgrade upgrade = db.open(bookPath);
    if (upgrade.ran())
        std::printf("Book brought up from format %d (%lld ms)\n", upgrade.fromVersion,
                    making.elapsed());
    AnsweringPrompts prompts;
    ScriptedFileDialogs fileDialogs;
    RecordingLauncher launcher;
    RecordingBusyPointer busy;
    FixedClock clock;
    Services services{db, prompts, fileDialogs, launcher, busy, clock, dir.path(), [] {}};
    services.book = bookPath;

    const qint64 total = db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toLongLong();
    const auto month =
        Codes::periodRange(db.scalar("SELECT CurrentMonth FROM tblBankDetails").toString(),
                           db.scalar("SELECT CurrentYear FROM tblBankDetails").toString());
    check(month.has_value(), "the book's current month is a real month");
    const qint64 current =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE TransStatus = '1' OR "
                                 "(TransDate >= ? AND TransDate <= ?)"),
                  {Codes::dateToStored(month->first), Codes::dateToStored(month->second)})
            .toLongLong();
    const QString lastId = db.scalar(QStringLiteral("SELECT TransID FROM tblCashbook ORDER BY "
                                                    "TransDate DESC, TransID DESC LIMIT 1"))
                               .toString();
    std::printf("%lld transactions in the book, %lld current and outstanding\n",
                static_cast<long long>(total), static_cast<long long>(current));
    printLoad("before");

    // The balances, each against the sum over the transactions.
    const char* const modeNames[] = {"calcCurrentBalance(0) cashbook current",
                                     "calcCurrentBalance(1) opening of the month",
                                     "calcCurrentBalance(2) bank statement"};
    for (int mode = 0; mode < 3; ++mode) {
        const Money expected = fullSum(db, mode);
        Figures figures;
        for (int run = 0; run < kRuns; ++run) {
            Money balance;
            figures.add(timed([&] { balance = calcCurrentBalance(services, mode); }));
            figures.check(balance == expected, "the balance equals the sum of the transactions");
        }
        figures.report(modeNames[mode], 5, kWidth);
    }

    Figures opening, all, middle, last, status, periodEnd, pageCopy;
    for (int run = 0; run < kRuns; ++run) {
        std::unique_ptr<CashbookWindow> window;
        opening.add(timed([&] {
            window = std::make_unique<CashbookWindow>(services);
            window->show();
            QCoreApplication::processEvents();
        }));
        ReconciliationListModel* model = window->model();
        opening.check(model->rowCount() == current, "the current and outstanding rows listed");
        opening.check(caption(window.get()) == QStringLiteral("Record: 1 of %1").arg(current),
                      "the first row current");

        all.add(timed([&] { click(window.get(), "cmdAllTransactions"); }));
        all.check(model->rowCount() == total, "every transaction listed");

        // A drag of the scroll bar to the middle: no page near it has been read.
        auto* grid = window->findChild<GridView*>(QStringLiteral("DataGrid1"));
        const int half = int(total / 2);
        middle.add(timed([&] {
            grid->scrollTo(model->index(half, 0), QAbstractItemView::PositionAtTop);
            QCoreApplication::processEvents();
        }));
        middle.check(model->transId(half) ==
                         db.scalar(QStringLiteral("SELECT TransID FROM tblCashbook ORDER BY "
                                                  "TransDate, TransID LIMIT 1 OFFSET ?"),
                                   {half})
                             .toString(),
                     "the middle row read in its place");

        last.add(timed([&] { click(window.get(), "navLast"); }));
        last.check(model->transId(int(total - 1)) == lastId, "the newest transaction is last");
        last.check(caption(window.get()) == QStringLiteral("Record: %1 of %1").arg(total),
                   "the last row current");

        // Alternately reconciled and outstanding again, then the row before is made current.
        const int row = int(total - 1);
        const QString target =
            model->status(row) == Codes::Reconciled ? Codes::Outstanding : Codes::Reconciled;
        const Money amount = Money::fromUnits(
            db.scalar(QStringLiteral("SELECT DoubleEntryBank FROM tblCashbook WHERE TransID = ?"),
                      {lastId})
                .toLongLong());
        const Money before = Balances::calcCurrentBalance(db, Balances::StatementBalance);
        const Money expected = target == Codes::Reconciled ? before + amount : before - amount;
        status.add(timed([&] {
            grid->cellCommitted(model->index(row, ReconciliationListModel::StatusColumn), target);
            click(window.get(), "navPrevious");
        }));
        status.check(db.scalar(QStringLiteral("SELECT TransStatus FROM tblCashbook WHERE "
                                              "TransID = ?"),
                               {lastId})
                             .toString() == target,
                     "the status written");
        status.check(fieldText(window.get(), "txtBankStatementBalance") ==
                         expected.roundedToCent().format(Money::Format::Written),
                     "the bank statement balance moved by the row's amount");
        window.reset();

        // What period end's backup costs beyond the copy itself: the same book's pages copied.
        const QString copy = dir.path() + QStringLiteral("/pagecopy.mdb");
        pageCopy.add(timed([&] { BookCopy::write(db, copy); }));
        pageCopy.check(QFileInfo(copy).size() >= QFileInfo(bookPath).size() / 2,
                       "the copy written");
        BookCopy::discard(copy);

        const QString lastBackup = BookBackup::latest(bookPath);
        const PeriodEnd::FiscalPeriod was = PeriodEnd::current(db);
        periodEnd.add(timed([&] { runPeriodEnd(services); }));
        periodEnd.check(PeriodEnd::current(db) == PeriodEnd::next(was),
                        "the book moved on a month");
        periodEnd.check(BookBackup::latest(bookPath) != lastBackup, "a backup made first");
        db.exec(QStringLiteral("UPDATE tblBankDetails SET CurrentMonth = ?, CurrentYear = ?"),
                {QString::number(was.month), QString::number(was.year)});
    }
    opening.report("open, current and outstanding", 300, kWidth);
    all.report("switch to All Transactions", 300, kWidth);
    middle.report("scroll to the middle of All (no target)", 0, kWidth);
    last.report("jump to the last row of All", 100, kWidth);
    status.report("status change and figures refreshed", 50, kWidth);
    pageCopy.report("page copy of the book (no target)", 0, kWidth);
    periodEnd.report("period end, with its backup", 2000, kWidth);
    const double ratio = periodEnd.median() / pageCopy.median();
    std::printf("  %-*s %.2f times   target < 2.5  %s\n", kWidth, "period end against a page copy",
                ratio, withinTarget(ratio < 2.5) ? "ok" : "TOO SLOW");

    // Back Up Book, verified, to a file the user names; then Restore Book from it, with its
    // check and the backup of the book it replaces.
    Figures backUp, restore;
    const QString chosen = dir.path() + QStringLiteral("/chosen.mdb");
    for (int run = 0; run < kRuns; ++run) {
        QFile::remove(chosen);
        fileDialogs.answer(chosen);
        backUp.add(timed([&] { BackUpBook(services); }));
        backUp.check(prompts.shown.value(prompts.shown.size() - 1) == Messages::backupMade(chosen),
                     "the backup told as made");
        try {
            BookCopy::verify(db, chosen, BookCopy::Check::Quick);
        } catch (const Failure&) {
            backUp.check(false, "the backup matches the book");
        }
    }
    for (int run = 0; run < kRuns; ++run) {
        fileDialogs.answer(chosen);
        bool restored = false;
        restore.add(timed([&] { restored = RestoreBook(services); }));
        restore.check(restored && db.isOpen(), "the book restored and open");
        restore.check(
            db.isOpen() &&
                db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toLongLong() == total,
            "the restored book holds every transaction");
    }
    // Compact Database: the book written again without its free space, checked whole (every
    // index against its table), and put in its place. No target; measured with its steps shown.
    Figures compaction;
    const QString cashbookTally = BookCopy::tally(db, QStringLiteral("tblCashbook"));
    for (int run = 0; run < kCompactionRuns; ++run) {
        const qsizetype stepsBefore = busy.steps.size();
        compaction.add(timed([&] { CompactDatabase(services); }));
        compaction.check(db.isOpen() &&
                             BookCopy::tally(db, QStringLiteral("tblCashbook")) == cashbookTally,
                         "the compacted book open with every transaction and amount");
        compaction.check(db.scalar(QStringLiteral("PRAGMA freelist_count")).toLongLong() == 0,
                         "no free pages left");
        compaction.check(busy.steps.mid(stepsBefore).contains(Messages::checkingCopy()),
                         "its steps shown");
    }

    backUp.report("Back Up Book, verified", 2000, kWidth);
    restore.report("Restore Book, checked, with its backup", 4000, kWidth);
    compaction.report("Compact Database (no target)", 0, kWidth);
    for (int mode = 0; mode < 3; ++mode)
        check(Balances::calcCurrentBalance(db, mode) == fullSum(db, mode),
              "the balances still equal the sums after the runs");

    const double memory = peakResidentMb();
    const bool memoryOk = withinTarget(memory < 200);
    std::printf("  %-*s %.1f MB   target < 200 MB  %s\n", kWidth, "peak resident memory", memory,
                memoryOk ? "ok" : "TOO BIG");
    printLoad("after");
    return benchStatus();
}
