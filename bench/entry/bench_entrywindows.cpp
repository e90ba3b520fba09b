// How fast the transaction-entry windows answer over a book of a million transactions: for
// the payment voucher, receipt and bank charges, interest and miscellaneous windows, opening
// with the newest row shown, the four navigator moves, the find list of every number and the
// find itself, saving an edited and a new row, and memory.
//
//   bench_entrywindows [BOOK] [TRANSACTIONS]
//
// BOOK is a book made by quillan_genbook; it is copied, never changed. Without it a book
// of TRANSACTIONS (default 1000000) transactions is generated first.

#include "bookgenerator.h"
#include "figures.h"
#include "support/scriptedservices.h"

#include "data/database.h"
#include "data/recordnavigator.h"
#include "entry/bankchargesinterestwindow.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "masters/finddialog.h"
#include "masters/lookuptransfer.h"
#include "shell/navigatorbar.h"
#include "shell/services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kRuns = 7;
constexpr int kWidth = 44;

// Answers every question Yes and every notice OK, and remembers the texts.
class AnsweringPrompts : public Prompts {
public:
    Answer show(const QString& text, Icon, Buttons buttons, Answer) override {
        shown << text;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    QStringList shown;
};

bool allOk = true;

void check(bool condition, const char* what) {
    if (!condition) {
        std::printf("  WRONG: %s\n", what);
        allOk = false;
    }
}

// One window under test: its rows, how it is made, and how a new row is filled in.
struct Subject {
    const char* title;
    QString types; // the SQL list of its type codes
    QString findCaption;
    QString findQuery;
    std::function<std::unique_ptr<CashbookEntryWindow>()> make;
    std::function<void(CashbookEntryWindow&, int run)> fillNew;
};

void measure(Services& services, AnsweringPrompts& prompts, const Subject& subject) {
    Database& db = services.db;
    const QString filter =
        QStringLiteral(" FROM tblCashbook WHERE TransType IN (%1) ").arg(subject.types);
    qint64 rows = db.scalar(QStringLiteral("SELECT COUNT(*)") + filter).toLongLong();
    auto newest = [&db, &filter] {
        return db
            .scalar(QStringLiteral("SELECT TransID") + filter +
                    QStringLiteral("ORDER BY TransDate DESC, TransID DESC LIMIT 1"))
            .toString();
    };
    const QString oldest = db.scalar(QStringLiteral("SELECT TransID") + filter +
                                     QStringLiteral("ORDER BY TransDate, TransID LIMIT 1"))
                               .toString();
    std::printf("%s: %lld rows; %d runs each (median and worst)\n", subject.title,
                static_cast<long long>(rows), kRuns);

    Figures open, first, last, next, previous, findList, findShow, saveEdited, saveNew;
    for (int run = 0; run < kRuns; ++run) {
        const QString newestId = newest();
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
        check(nav.position() == 1 && nav.count() == rows, "open: not the first of every row");
        check(field("txtTransID")->text() == newestId, "open: not the newest row");

        last.add(timed([&] { press("navLast"); }));
        check(nav.position() == rows && field("txtTransID")->text() == oldest,
              "last: not the oldest row");
        previous.add(timed([&] { press("navPrevious"); }));
        check(nav.position() == rows - 1, "previous: wrong position");
        next.add(timed([&] { press("navNext"); }));
        check(nav.position() == rows, "next: wrong position");
        first.add(timed([&] { press("navFirst"); }));
        check(nav.position() == 1, "first: wrong position");

        // The find dialog's list of every number of the window's types.
        findList.add(timed([&] {
            FindDialog dialog(services, window.get());
            dialog.setAddCaption(subject.findCaption);
            dialog.setRecordSource(subject.findQuery);
            dialog.fill();
            check(dialog.entries().size() == rows, "find: not every number listed");
        }));
        // A number chosen in the list: the window shows that row with its position.
        CashbookEntryWindow::Choosers choosers = CashbookEntryWindow::standardChoosers();
        choosers.find = [&oldest](Services&, QWidget*, const QString&, const QString&) {
            return std::optional<QString>(oldest);
        };
        window->setChoosers(choosers);
        findShow.add(timed([&] { click("cmdFindByPV"); }));
        check(nav.position() == rows && field("txtTransID")->text() == oldest,
              "find: wrong row shown");

        // Save of an edited row (the newest, which is outstanding; its place stays).
        press("navFirst");
        field("txtTransDesc")->setText(QStringLiteral("Edited in run %1").arg(run));
        prompts.shown.clear();
        saveEdited.add(timed([&] { click("cmdSave"); }));
        check(prompts.shown.value(1) == QLatin1String("Saved."), "save: edited row not saved");
        check(nav.position() == 1, "save: edited row moved");

        // Save of a new row (a voucher or receipt with the offered number and its counter).
        click("cmdAdd");
        subject.fillNew(*window, run);
        prompts.shown.clear();
        saveNew.add(timed([&] { click("cmdSave"); }));
        check(prompts.shown.value(1) == QLatin1String("Saved."), "save: new row not saved");
        check(nav.count() == rows + 1 && nav.position() == 1, "save: new row not first");
        ++rows;
        window->close();
    }
    allOk = open.report("open, newest row shown", 300, kWidth) && allOk;
    allOk = first.report("first", 50, kWidth) && allOk;
    allOk = last.report("last", 50, kWidth) && allOk;
    allOk = next.report("next", 50, kWidth) && allOk;
    allOk = previous.report("previous", 50, kWidth) && allOk;
    allOk = findList.report("find: list of every number", 500, kWidth) && allOk;
    findShow.report("find: show the chosen (oldest) row", 0, kWidth);
    allOk = saveEdited.report("save an edited row", 50, kWidth) && allOk;
    allOk = saveNew.report("save a new row", 50, kWidth) && allOk;
    const double peak = peakResidentMb();
    const bool memoryOk = peak < 200;
    allOk = allOk && memoryOk;
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
    QElapsedTimer making;
    making.start();
    if (!args.isEmpty() && QFile::exists(args.first())) {
        if (!QFile::copy(args.first(), bookPath)) {
            std::fprintf(stderr, "Cannot copy %s\n", qPrintable(args.first()));
            return 2;
        }
        QFile::setPermissions(bookPath, QFile::ReadOwner | QFile::WriteOwner);
        std::printf("Book: a copy of %s (%lld ms to copy)\n", qPrintable(args.first()),
                    making.elapsed());
    } else {
        BookGenerator::Options options;
        if (!args.isEmpty())
            options.transactions = std::max<qint64>(1, args.last().toLongLong());
        options.lastDay = QDate(2003, 1, 14);
        BookGenerator::makeBook(bookPath, options);
        std::printf("Book: generated, %lld transactions (%lld ms)\n",
                    static_cast<long long>(options.transactions), making.elapsed());
    }

    Database db;
    db.open(bookPath);
    AnsweringPrompts prompts;
    ScriptedFileDialogs fileDialogs;
    RecordingLauncher launcher;
    LookupTransfer lookup;
    RecordingBusyPointer busy;
    FixedClock clock(QDate(2003, 1, 15));
    Services services{db, prompts, fileDialogs, launcher, lookup, busy, clock, dir.path(), [] {}};
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
    for (const Subject& subject : subjects)
        measure(services, prompts, subject);
    return allOk ? 0 : 1;
}
