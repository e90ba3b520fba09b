// How fast the transaction-entry windows answer over a book of a million transactions: for
// the payment voucher, receipt and bank charges, interest and miscellaneous windows, opening
// with the newest row shown, the four navigator moves, the find dialog (opened on every number,
// typed into) and the find itself, saving an edited and a new row, and memory.
//
//   bench_entrywindows [BOOK] [TRANSACTIONS]
//
// BOOK is a book made by quillan_genbook; it is copied, never changed. Without it a book
// of TRANSACTIONS (default 1000000) transactions is generated first. The rows each step works
// on are chosen by their state in the book (the row edited is the newest outstanding one),
// today is the day after the book's newest transaction, and every step is checked against
// the book afterwards: a step that did not do what it was timed for reports WRONG, not a time,
// and the exit status is 1 (3 when every step went right but a target was missed).

#include "bookgenerator.h"
#include "figures.h"
#include "support/scriptedservices.h"

#include "data/codes.h"
#include "data/database.h"
#include "data/recordnavigator.h"
#include "entry/bankchargesinterestwindow.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "kit/navigatorbar.h"
#include "kit/services.h"
#include "masters/finddialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kRuns = 7;
constexpr int kWidth = 44;
const QString kSaved = QStringLiteral("Saved.");

// Answers every question Yes and every notice OK, and remembers the texts.
class AnsweringPrompts : public Prompts {
public:
    Answer show(const QString& text, Icon, Buttons buttons, Answer) override {
        shown << text;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    QStringList shown;
};

// One window under test: its rows, how it is made, and how a new row is filled in.
struct Subject {
    const char* title;
    QString types; // the SQL list of its type codes
    QString findCaption;
    QString findQuery;
    std::function<std::unique_ptr<CashbookEntryWindow>()> make;
    std::function<void(CashbookEntryWindow&, int run)> fillNew;
};

// A window's rows in the window's order (newest date first, then the highest number), read
// from the book itself, so that each step is checked against the book and not the window.
class BookRows {
public:
    BookRows(const Database& db, const QString& types)
        : m_db(db),
          m_filter(QStringLiteral(" FROM tblCashbook WHERE TransType IN (%1)").arg(types)) {}

    qint64 count() const {
        return m_db.scalar(QStringLiteral("SELECT COUNT(*)") + m_filter).toLongLong();
    }

    // The number of the row at this place (1 is the newest), read from the nearer end.
    QString at(qint64 position, qint64 count) const {
        const bool fromNewest = position <= count / 2;
        return m_db
            .scalar(QStringLiteral("SELECT TransID") + m_filter +
                        (fromNewest ? QStringLiteral("ORDER BY TransDate DESC, TransID DESC")
                                    : QStringLiteral("ORDER BY TransDate, TransID")) +
                        QStringLiteral(" LIMIT 1 OFFSET ?"),
                    {fromNewest ? position - 1 : count - position})
            .toString();
    }

    // The place of the row with this number; 0 when it is not one of the rows.
    qint64 placeOf(const QString& transId) const {
        const QVariant date = m_db.scalar(QStringLiteral("SELECT TransDate") + m_filter +
                                              QStringLiteral("AND TransID = ?"),
                                          {transId});
        if (!date.isValid())
            return 0;
        return 1 + m_db.scalar(QStringLiteral("SELECT COUNT(*)") + m_filter +
                                   QStringLiteral("AND (TransDate, TransID) > (?, ?)"),
                               {date, transId})
                       .toLongLong();
    }

    // The newest outstanding row: one the window lets the user edit and save.
    QString newestOutstanding() const {
        return m_db
            .scalar(QStringLiteral("SELECT TransID") + m_filter +
                        QStringLiteral("AND TransStatus = ? ORDER BY TransDate DESC, TransID DESC "
                                       "LIMIT 1"),
                    {Codes::Outstanding})
            .toString();
    }

    // The first and last numbers in number order, as the find list shows them.
    QString numberEdge(bool first) const {
        return m_db
            .scalar(QStringLiteral("SELECT TransID") + m_filter +
                    (first ? QStringLiteral("ORDER BY TransID LIMIT 1")
                           : QStringLiteral("ORDER BY TransID DESC LIMIT 1")))
            .toString();
    }

    // How many numbers come before this one in number order.
    qint64 numbersBefore(const QString& transId) const {
        return m_db
            .scalar(QStringLiteral("SELECT COUNT(*)") + m_filter +
                        QStringLiteral("AND TransID < ?"),
                    {transId})
            .toLongLong();
    }

    QString description(const QString& transId) const {
        return m_db
            .scalar(QStringLiteral("SELECT TransDesc FROM tblCashbook WHERE TransID = ?"),
                    {transId})
            .toString();
    }

private:
    const Database& m_db;
    QString m_filter;
};

void measure(Services& services, AnsweringPrompts& prompts, const Subject& subject) {
    const BookRows book(services.db, subject.types);
    const qint64 startRows = book.count();
    std::printf("%s: %lld rows; %d runs each (median and worst)\n", subject.title,
                static_cast<long long>(startRows), kRuns);
    if (!check(startRows >= 2, "the book holds fewer than two rows of this window"))
        return;

    Figures open, first, last, next, previous, findOpen, findType, findShow, saveEdited, saveNew;
    for (int run = 0; run < kRuns; ++run) {
        const qint64 rows = book.count();
        std::unique_ptr<CashbookEntryWindow> window;
        open.add(timed([&] {
            window = subject.make();
            window->show();
            QCoreApplication::processEvents();
        }));
        RecordNavigator& nav = window->navigator();
        auto* bar = window->findChild<NavigatorBar*>(QStringLiteral("Adodc1"));
        auto press = [bar](const char* button) {
            bar->findChild<QToolButton*>(QString::fromLatin1(button))->click();
            QCoreApplication::processEvents();
        };
        auto click = [&window](const char* button) {
            window->findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
            QCoreApplication::processEvents();
        };
        auto field = [&window](const char* name) {
            return window->findChild<QLineEdit*>(QString::fromLatin1(name));
        };
        // The window shows the row at this place of the book's rows, and counts them all.
        auto shows = [&](qint64 position, qint64 count) {
            return nav.position() == position && nav.count() == count &&
                   field("txtTransID")->text() == book.at(position, count);
        };

        open.check(shows(1, rows), "open: the newest row is not shown first");
        last.add(timed([&] { press("navLast"); }));
        last.check(shows(rows, rows), "last: the oldest row is not shown last");
        previous.add(timed([&] { press("navPrevious"); }));
        previous.check(shows(rows - 1, rows), "previous: not the row before the oldest");
        next.add(timed([&] { press("navNext"); }));
        next.check(shows(rows, rows), "next: not the oldest row");
        first.add(timed([&] { press("navFirst"); }));
        first.check(shows(1, rows), "first: not the newest row");

        // The find dialog's list of every number of the window's types, in number order,
        // shown with its first page; then numbers typed into it keystroke by keystroke.
        std::unique_ptr<FindDialog> dialog;
        findOpen.add(timed([&] {
            dialog = std::make_unique<FindDialog>(services, window.get());
            dialog->setAddCaption(subject.findCaption);
            dialog->setRecordSource(subject.findQuery);
            dialog->show();
            QCoreApplication::processEvents();
        }));
        auto* list = dialog->findChild<QListView*>(QStringLiteral("List1"));
        auto* typed = dialog->findChild<QLineEdit*>(QStringLiteral("txtFind"));
        auto entry = [list](qint64 row) {
            return list->model()->index(int(row), 0).data().toString();
        };
        findOpen.check(dialog->entryCount() == rows && entry(0) == book.numberEdge(true) &&
                           entry(rows - 1) == book.numberEdge(false),
                       "find: the list does not hold every number in order");
        for (const qint64 place : {rows / 2, rows / 7, rows, qint64(2)}) {
            const QString number = book.at(place, rows);
            typed->clear();
            for (qsizetype length = 1; length <= number.size(); ++length) {
                findType.add(timed([&] {
                    typed->setText(number.left(length));
                    QCoreApplication::processEvents();
                }));
                findType.check(list->currentIndex().data().toString().startsWith(
                                   number.left(length), Qt::CaseInsensitive),
                               "find: type-ahead selected an entry that does not match");
            }
            findType.check(list->currentIndex().row() == book.numbersBefore(number) &&
                               entry(list->currentIndex().row()) == number,
                           "find: the typed number is not selected in its place");
        }
        dialog.reset();

        // A number chosen in the list: the window shows that row with its place. The oldest
        // row is the farthest from the first, where the find starts.
        QString chosen = book.at(rows, rows);
        CashbookEntryWindow::Choosers choosers = CashbookEntryWindow::standardChoosers();
        choosers.find = [&chosen](Services&, QWidget*, const QString&, const QString&) {
            return std::optional<QString>(chosen);
        };
        window->setChoosers(choosers);
        findShow.add(timed([&] { click("cmdFindByPV"); }));
        findShow.check(shows(rows, rows), "find: the chosen row is not shown in its place");

        // Save of an edited row: the newest outstanding one, found and shown first; its place
        // stays.
        chosen = book.newestOutstanding();
        const qint64 place = book.placeOf(chosen);
        click("cmdFindByPV");
        if (saveEdited.check(
                !chosen.isEmpty() && shows(place, rows) &&
                    window->findChild<QAbstractButton*>(QStringLiteral("cmdSave"))->isEnabled(),
                "save: no outstanding row shown to edit")) {
            const QString edited = QStringLiteral("Edited in run %1").arg(run);
            field("txtTransDesc")->setText(edited);
            prompts.shown.clear();
            saveEdited.add(timed([&] { click("cmdSave"); }));
            saveEdited.check(prompts.shown.value(prompts.shown.size() - 1) == kSaved &&
                                 book.description(chosen) == edited,
                             "save: the edited row was not saved");
            saveEdited.check(shows(place, rows) && book.placeOf(chosen) == place,
                             "save: the edited row is not shown in its place");
        }

        // Save of a new row (a voucher or receipt with the offered number and its counter),
        // dated today, after every row of the book: it is shown first.
        click("cmdAdd");
        subject.fillNew(*window, run);
        const QString added = QStringLiteral("Added in run %1").arg(run);
        field("txtTransDesc")->setText(added);
        prompts.shown.clear();
        saveNew.add(timed([&] { click("cmdSave"); }));
        const QString number = field("txtTransID")->text();
        saveNew.check(prompts.shown.value(prompts.shown.size() - 1) == kSaved &&
                          book.count() == rows + 1 && book.description(number) == added,
                      "save: the new row was not saved");
        saveNew.check(book.placeOf(number) == 1 && shows(1, rows + 1),
                      "save: the new row is not shown first");
        window->close();
    }
    open.report("open, newest row shown", 300, kWidth);
    first.report("first", 50, kWidth);
    last.report("last", 50, kWidth);
    next.report("next", 50, kWidth);
    previous.report("previous", 50, kWidth);
    findOpen.report("find: open, first page of every number", 100, kWidth);
    findType.report("find: type-ahead, one keystroke", 20, kWidth, true);
    findShow.report("find: show the chosen (oldest) row", 0, kWidth);
    saveEdited.report("save an edited (outstanding) row", 50, kWidth);
    saveNew.report("save a new row", 50, kWidth);
    const double peak = peakResidentMb();
    const bool memoryOk = withinTarget(peak < 200);
    std::printf("  %-*s peak %8.1f MB   target < 200 MB  %s\n", kWidth, "resident memory so far",
                peak, memoryOk ? "ok" : "TOO MUCH");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    QTemporaryDir dir;
    const QString bookPath = dir.path() + QStringLiteral("/cashbook.mdb");
    if (!BookGenerator::benchBook(args, bookPath, QDate(2003, 1, 14)))
        return 2;

    Database db;
    db.open(bookPath);
    AnsweringPrompts prompts;
    ScriptedFileDialogs fileDialogs;
    RecordingLauncher launcher;
    RecordingBusyPointer busy;
    // Today is the day after the book's newest transaction, so that a new row is the newest.
    FixedClock clock(QDate(2003, 1, 15));
    const QDate newest = Codes::dateFromStored(
        db.scalar(QStringLiteral("SELECT MAX(TransDate) FROM tblCashbook")).toString());
    if (newest.isValid())
        clock.date = newest.addDays(1);
    Services services{db, prompts, fileDialogs, launcher, busy, clock, dir.path(), [] {}};
    services.book = bookPath;
    std::printf("%lld transactions in the book\n",
                static_cast<long long>(
                    db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toLongLong()));

    const QString account =
        db
            .scalar(QStringLiteral(
                "SELECT AccountCode FROM tblChartOfAccounts WHERE AccountCode <> "
                "(SELECT GLBankAccountCode FROM tblSystemSetup) ORDER BY AccountCode LIMIT 1"))
            .toString();
    auto voucherSubject = [&](const char* title, const VoucherKind& kind, const QString& types,
                              const QString& partyQuery) {
        const QString party = db.scalar(partyQuery).toString();
        return Subject{
            title,
            types,
            kind.findCaption,
            kind.findQuery,
            [&services, &kind] { return std::make_unique<PaymentVoucherWindow>(services, kind); },
            [party, account, &kind](CashbookEntryWindow& window, int) {
                window.findChild<QComboBox*>(kind.partyField)->setEditText(party);
                window.findChild<QComboBox*>(QStringLiteral("cboGLOffsetAccountCode"))
                    ->setEditText(account);
                window.findChild<QLineEdit*>(QStringLiteral("txtOffsetAmount"))
                    ->setText(QStringLiteral("123.45"));
            }};
    };
    const Subject subjects[] = {
        voucherSubject("Payment voucher window", VoucherKind::payment(), QStringLiteral("'1','2'"),
                       QStringLiteral("SELECT VendorID FROM tblVendors ORDER BY VendorID LIMIT 1")),
        voucherSubject("Receipt window", VoucherKind::receipt(), QStringLiteral("'3','4'"),
                       QStringLiteral("SELECT CustID FROM tblCustomers ORDER BY CustID LIMIT 1")),
        Subject{"Bank charges, interest and miscellaneous window", QStringLiteral("'5','6','7'"),
                QStringLiteral("Type Bank Charge / Interest / Misc ID to find"),
                QStringLiteral("SELECT TransID FROM tblCashbook WHERE tblCashbook.TransType IN "
                               "('5','6','7')ORDER BY TransID"),
                [&services] { return std::make_unique<BankChargesInterestWindow>(services); },
                [account](CashbookEntryWindow& window, int run) {
                    window.findChild<QLineEdit*>(QStringLiteral("txtTransID"))
                        ->setText(QStringLiteral("BENCH%1").arg(run));
                    window.findChild<QComboBox*>(QStringLiteral("cboGLOffsetAccountCode"))
                        ->setEditText(account);
                    window.findChild<QLineEdit*>(QStringLiteral("txtOffsetAmount"))
                        ->setText(QStringLiteral("-3.10"));
                }}};
    printLoad("before");
    for (const Subject& subject : subjects)
        measure(services, prompts, subject);
    printLoad("after");
    return benchStatus();
}
