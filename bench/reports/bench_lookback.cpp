// How fast a look back is over a book of a million transactions: an earlier month's cashbook
// report launched and shown with its first page, and the cash position chart of the last 12
// months read and drawn in its window.
//
//   bench_lookback [BOOK] [TRANSACTIONS]
//
// BOOK is a book made by quillan_genbook (the bench works on a copy); without it a book of
// TRANSACTIONS (default 1000000) transactions is generated first. Every step is checked
// against SQL sums over the transactions themselves; a step that went wrong reports WRONG
// instead of its times.

#include "bookgenerator.h"
#include "figures.h"
#include "support/scriptedservices.h"

#include "data/codes.h"
#include "data/database.h"
#include "kit/services.h"
#include "reconciliation/cashpositionchart.h"
#include "reports/cashpositionwindow.h"
#include "reports/report.h"
#include "reports/reportlaunchers.h"
#include "reports/reportpageview.h"
#include "reports/reportpreviewwindow.h"

#include <QApplication>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QTimer>

namespace {

constexpr int kWidth = 52;

class SilentPrompts : public Prompts {
public:
    Answer show(const QString& text, Icon, Buttons, Answer) override {
        shown << text;
        return Answer::Ok;
    }
    QStringList shown;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    QTemporaryDir dir;
    const QString bookPath = dir.path() + QStringLiteral("/cashbook.mdb");
    if (!check(BookGenerator::benchBook(args, bookPath, QDate(2003, 1, 31)), "the book is copied"))
        return benchStatus();
    printLoad("before");

    Database db;
    db.open(bookPath);
    SilentPrompts prompts;
    ScriptedFileDialogs fileDialogs;
    RecordingLauncher launcher;
    RecordingBusyPointer busy;
    FixedClock clock(QDate(2003, 2, 1));
    Services services{db, prompts, fileDialogs, launcher, busy, clock, dir.path(), [] {}};
    services.book = bookPath;

    const auto bookSum = [&](const char* where, const QVariantList& values) {
        return Money::fromUnits(
            db.scalar(QStringLiteral("SELECT StartingBankBalance + (SELECT COALESCE(SUM("
                                     "DoubleEntryBank), 0) FROM tblCashbook WHERE ") +
                          QString::fromLatin1(where) + QStringLiteral(") FROM tblBankDetails"),
                      values)
                .toLongLong());
    };

    // The month before the last one of the book, looked back at as an auditor asks for it.
    const ReportPeriod month = ReportPeriod::month(QDate(2002, 12, 1));
    const Money opening =
        bookSum("TransStatus IN ('1', '2') AND TransDate < ?", {Codes::dateToStored(month.first)});
    Figures lookBack;
    QStringList firstPage;
    int pages = 0;
    for (int run = 0; run < 3; ++run) {
        QTimer closer;
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* modal = qobject_cast<ReportPreviewWindow*>(QApplication::activeModalWidget());
            if (!modal)
                return;
            closer.stop();
            QApplication::processEvents(); // the first page drawn
            pages = modal->report().pageCount();
            firstPage = modal->pageView()->page().texts();
            modal->reject();
        });
        closer.start();
        lookBack.add(timed([&] {
            ReportLaunchers::lookBack(services, ReportLaunchers::MonthReport::Cashbook, month,
                                      nullptr);
        }));
    }
    lookBack.check(firstPage.contains(QStringLiteral("Page 1 of %1").arg(pages)),
                   "the preview shows page 1 of all");
    lookBack.check(firstPage.contains(opening.format(Money::Format::Plain)) &&
                       firstPage.contains(month.name()),
                   "the month's opening balance and name are the book's");
    lookBack.report("Earlier month's cashbook report in the preview", 1000, kWidth);

    // The chart of the last 12 months in its window: the figures read and both charts drawn.
    Figures chart;
    Money last;
    qsizetype days = 0;
    for (int run = 0; run < 3; ++run) {
        CashPositionWindow window(services, nullptr, nullptr);
        chart.add(timed([&] {
            window.show();
            QApplication::processEvents();
        }));
        last = window.chart()->position().cashbook.last();
        days = window.chart()->cashbookSeries()->count();
    }
    chart.check(days == QDate(2002, 2, 2).daysTo(QDate(2003, 2, 1)) + 1, "a point a day");
    chart.check(last == bookSum("TransStatus IN ('1', '2') AND TransDate <= ?",
                                {Codes::dateToStored(clock.today())}),
                "the last day's balance is the book's");
    chart.report("Cash position, 12 months, in its window", 300, kWidth);

    check(prompts.shown.isEmpty(), "no message box was shown");
    printLoad("after");
    return benchStatus();
}
