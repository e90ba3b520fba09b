// How fast the payment voucher window answers over a book of a million transactions:
// opening with the newest payment shown, the four navigator moves, the find list of every
// voucher number and the find itself, saving an edited and a new voucher, and memory.
//
//   bench_paymentvouchers [BOOK] [TRANSACTIONS]
//
// BOOK is a book made by quillan_genbook; it is copied, never changed. Without it a book
// of TRANSACTIONS (default 1000000) transactions is generated first.

#include "bookgenerator.h"
#include "support/scriptedservices.h"

#include "data/database.h"
#include "data/recordnavigator.h"
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
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 7;

// Answers every question Yes and every notice OK, and remembers the texts.
class AnsweringPrompts : public Prompts {
public:
    Answer show(const QString& text, Icon, Buttons buttons, Answer) override {
        shown << text;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    QStringList shown;
};

struct Figures {
    std::vector<double> samples;
    void add(double ms) { samples.push_back(ms); }
    double median() {
        std::sort(samples.begin(), samples.end());
        return samples[samples.size() / 2];
    }
    double worst() const { return *std::max_element(samples.begin(), samples.end()); }
};

double timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

bool allOk = true;

// A limit of 0 reports a figure that has no target of its own.
void report(const char* what, Figures& figures, double limit) {
    const double median = figures.median();
    if (limit <= 0) {
        std::printf("  %-44s median %8.2f ms   worst %8.2f ms\n", what, median, figures.worst());
        std::fflush(stdout);
        return;
    }
    const bool ok = median < limit;
    allOk = allOk && ok;
    std::printf("  %-44s median %8.2f ms   worst %8.2f ms   target < %.0f ms  %s\n", what, median,
                figures.worst(), limit, ok ? "ok" : "TOO SLOW");
    std::fflush(stdout);
}

void check(bool condition, const char* what) {
    if (!condition) {
        std::printf("  WRONG: %s\n", what);
        allOk = false;
    }
}

double statusMegabytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
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
    const VoucherKind& kind = VoucherKind::payment();

    qint64 payments =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE TransType IN ('1','2')"))
            .toLongLong();
    auto newestPayment = [&db] {
        return db
            .scalar(QStringLiteral("SELECT TransID FROM tblCashbook WHERE TransType IN ('1','2') "
                                   "ORDER BY TransDate DESC, TransID DESC LIMIT 1"))
            .toString();
    };
    const QString oldest =
        db.scalar(QStringLiteral("SELECT TransID FROM tblCashbook WHERE TransType IN ('1','2') "
                                 "ORDER BY TransDate, TransID LIMIT 1"))
            .toString();
    const QString vendor =
        db.scalar(QStringLiteral("SELECT VendorID FROM tblVendors ORDER BY VendorID LIMIT 1"))
            .toString();
    const QString account =
        db
            .scalar(QStringLiteral(
                "SELECT AccountCode FROM tblChartOfAccounts WHERE AccountCode <> "
                "(SELECT GLBankAccountCode FROM tblSystemSetup) ORDER BY AccountCode LIMIT 1"))
            .toString();
    std::printf(
        "Payment voucher window over %lld transactions, %lld of them payments; %d runs each "
        "(median and worst)\n",
        static_cast<long long>(
            db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toLongLong()),
        static_cast<long long>(payments), kRuns);

    Figures open, first, last, next, previous, findQuery, findList, findShow, saveEdited, saveNew;
    for (int run = 0; run < kRuns; ++run) {
        const QString newest = newestPayment();
        std::unique_ptr<PaymentVoucherWindow> window;
        open.add(timed([&] {
            window = std::make_unique<PaymentVoucherWindow>(services, kind);
            window->show();
            QCoreApplication::processEvents();
        }));
        RecordNavigator& nav = window->navigator();
        auto* bar = window->findChild<NavigatorBar*>(QStringLiteral("Adodc1"));
        auto press = [bar](const char* button) {
            bar->findChild<QToolButton*>(QString::fromLatin1(button))->click();
            QCoreApplication::processEvents();
        };
        auto field = [&window](const char* name) {
            return window->findChild<QLineEdit*>(QString::fromLatin1(name));
        };
        check(nav.position() == 1 && nav.count() == payments,
              "open: not the first of every payment");
        check(field("txtTransID")->text() == newest, "open: not the newest payment");

        last.add(timed([&] { press("navLast"); }));
        check(nav.position() == payments && field("txtTransID")->text() == oldest,
              "last: not the oldest payment");
        previous.add(timed([&] { press("navPrevious"); }));
        check(nav.position() == payments - 1, "previous: wrong position");
        next.add(timed([&] { press("navNext"); }));
        check(nav.position() == payments, "next: wrong position");
        first.add(timed([&] { press("navFirst"); }));
        check(nav.position() == 1, "first: wrong position");

        // The find list's query alone, then the find dialog's list of every voucher number.
        findQuery.add(timed([&] {
            QSqlQuery query = db.exec(kind.findQuery);
            QStringList numbers;
            while (query.next())
                numbers << query.value(0).toString();
            check(numbers.size() == payments, "find query: not every voucher");
        }));
        findList.add(timed([&] {
            FindDialog dialog(services, window.get());
            dialog.setAddCaption(kind.findCaption);
            dialog.setRecordSource(kind.findQuery);
            dialog.fill();
            check(dialog.entries().size() == payments, "find: not every voucher listed");
        }));
        // A number chosen in the list: the window shows that voucher with its position.
        PaymentVoucherWindow::Pickers pickers = PaymentVoucherWindow::standardPickers(kind);
        pickers.find = [&oldest](Services&, QWidget*, const QString&, const QString&) {
            return std::optional<QString>(oldest);
        };
        window->setPickers(pickers);
        findShow.add(timed([&] {
            window->findChild<QAbstractButton*>(QStringLiteral("cmdFindByPV"))->click();
            QCoreApplication::processEvents();
        }));
        check(nav.position() == payments && field("txtTransID")->text() == oldest,
              "find: wrong voucher shown");

        // Save of an edited voucher (the newest, which is outstanding; its place stays).
        press("navFirst");
        field("txtTransDesc")->setText(QStringLiteral("Edited in run %1").arg(run));
        prompts.shown.clear();
        saveEdited.add(timed([&] {
            window->findChild<QAbstractButton*>(QStringLiteral("cmdSave"))->click();
            QCoreApplication::processEvents();
        }));
        check(prompts.shown.value(1) == QLatin1String("Saved."), "save: edited voucher not saved");
        check(nav.position() == 1, "save: edited voucher moved");

        // Save of a new voucher with the offered number.
        window->findChild<QAbstractButton*>(QStringLiteral("cmdAdd"))->click();
        window->findChild<QComboBox*>(kind.partyField)->setEditText(vendor);
        window->findChild<QComboBox*>(QStringLiteral("cboGLOffsetAccountCode"))
            ->setEditText(account);
        field("txtOffsetAmount")->setText(QStringLiteral("123.45"));
        prompts.shown.clear();
        saveNew.add(timed([&] {
            window->findChild<QAbstractButton*>(QStringLiteral("cmdSave"))->click();
            QCoreApplication::processEvents();
        }));
        check(prompts.shown.value(1) == QLatin1String("Saved."), "save: new voucher not saved");
        check(nav.count() == payments + 1 && nav.position() == 1, "save: new voucher not first");
        ++payments;
        window->close();
    }
    report("open, newest payment shown", open, 300);
    report("first", first, 50);
    report("last", last, 50);
    report("next", next, 50);
    report("previous", previous, 50);
    report("find: the list's query alone", findQuery, 0);
    report("find: list of every voucher number", findList, 500);
    report("find: show the chosen (oldest) voucher", findShow, 0);
    report("save an edited voucher", saveEdited, 50);
    report("save a new voucher (and its counter)", saveNew, 50);
    const double resident = statusMegabytes("VmRSS:");
    const double peak = statusMegabytes("VmHWM:");
    const bool memoryOk = peak < 200;
    allOk = allOk && memoryOk;
    std::printf("  %-44s now %8.1f MB   peak %8.1f MB   target < 200 MB  %s\n", "resident memory",
                resident, peak, memoryOk ? "ok" : "TOO MUCH");
    return allOk ? 0 : 1;
}
