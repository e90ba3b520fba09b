// How fast the reports are over a book of a million transactions: the All Transactions report
// shown in the preview with its page count, any of its pages painted, the current fiscal
// month's tax analysis shown and saved as PDF, the month's cashbook report launched as the
// switchboard does and saved as PDF; and memory throughout.
//
//   bench_reports [BOOK] [TRANSACTIONS]
//
// BOOK is a book made by quillan_genbook; the bench works on a copy of it, since the cashbook
// report rebuilds tblGLDistribution. Without it a book of TRANSACTIONS (default 1000000)
// transactions is generated first. Every step is checked: the page count against the rows in
// the book, each painted page's number and rows against the book, the month's totals and
// balances against SQL sums; a step that went wrong reports WRONG instead of its times.

#include "bookgenerator.h"
#include "figures.h"
#include "support/scriptedservices.h"

#include "data/codes.h"
#include "data/database.h"
#include "glexport/glexportprocedures.h"
#include "kit/services.h"
#include "reconciliation/currentbalance.h"
#include "reports/queryrowsource.h"
#include "reports/report.h"
#include "reports/reportlaunchers.h"
#include "reports/reportlayouts.h"
#include "reports/reportpageview.h"
#include "reports/reportpainter.h"
#include "reports/reportpreviewwindow.h"
#include "reports/reportqueries.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

constexpr int kWidth = 52;
// The All Transactions layout: the first page holds the title and 47 rows, the others 50.
constexpr qint64 kFirstPageRows = 47;
constexpr qint64 kPageRows = 50;

class SilentPrompts : public Prompts {
public:
    Answer show(const QString& text, Icon, Buttons, Answer) override {
        shown << text;
        return Answer::Ok;
    }
    QStringList shown;
};

std::unique_ptr<Report> makeReport(Services& services, ReportLayout layout, RowQuery query) {
    auto report = std::make_unique<Report>(
        std::move(layout), std::make_unique<QueryRowSource>(services.db, std::move(query)),
        services.clock.today());
    report->paginate();
    return report;
}

// Paints a page as the preview does at 100% on a 96 dpi screen.
void paintPage(Report& report, int index) {
    QImage image(816, 1056, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReportPainter::paint(painter, report.page(index), report.layout().pageSize, image.rect());
}

int pdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    return bytes.startsWith("%PDF") ? int(bytes.count("/Type /Page\n")) : -1;
}

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

    const qint64 rows = db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toLongLong();
    const qint64 expectedPages =
        rows <= kFirstPageRows ? 1 : 1 + (rows - kFirstPageRows + kPageRows - 1) / kPageRows;
    std::printf("%lld transactions, %lld pages expected\n", static_cast<long long>(rows),
                static_cast<long long>(expectedPages));

    // All Transactions: paginated and shown in the preview with its first page.
    std::unique_ptr<ReportPreviewWindow> preview;
    Figures shown;
    shown.add(timed([&] {
        preview = std::make_unique<ReportPreviewWindow>(
            services, makeReport(services, ReportLayouts::allTransactions(),
                                 ReportQueries::allTransactions()));
        preview->show();
        QApplication::processEvents();
    }));
    Report& all = preview->report();
    shown.check(all.pageCount() == expectedPages, "All Transactions has its page count");
    shown.check(preview->pageView()->page().texts().contains(
                    QStringLiteral("Page 1 of %1").arg(all.pageCount())),
                "the preview shows page 1 of all");
    shown.report("All Transactions in the preview (pages counted)", 3000, kWidth);

    // Any page painted: the last, the middle and random ones; each holds the rows the book has
    // at its place in the order.
    Figures painted;
    QList<int> pages{all.pageCount() - 1, all.pageCount() / 2, 1};
    for (int i = 0; i < 12; ++i)
        pages << int(QRandomGenerator::global()->bounded(all.pageCount()));
    for (int index : pages) {
        painted.add(timed([&] { paintPage(all, index); }));
        const QStringList texts = all.page(index).texts();
        const qint64 offset = index == 0 ? 0 : kFirstPageRows + (index - 1) * kPageRows;
        const QString firstId =
            db.scalar(QStringLiteral("SELECT TransID FROM tblCashbook ORDER BY TransDate, TransID "
                                     "LIMIT 1 OFFSET ?"),
                      {offset})
                .toString();
        painted.check(
            texts.contains(QStringLiteral("Page %1 of %2").arg(index + 1).arg(all.pageCount())),
            "a painted page carries its number");
        painted.check(texts.contains(firstId), "a painted page starts with its row");
    }
    painted.report("All Transactions, any page painted (worst)", 100, kWidth, true);
    std::printf("  memory after All Transactions: %.0f MB peak\n", peakResidentMb());
    preview.reset();

    // The current fiscal month's tax analysis: shown with its first page, and saved as PDF.
    const auto month = ReportQueries::currentFiscalMonth(db);
    check(month.has_value(), "the book has a current fiscal month");
    const QVariantList range{Codes::dateToStored(month->first), Codes::dateToStored(month->second)};
    const qint64 monthRows =
        db.scalar(
              QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE TransDate BETWEEN ? AND ?"),
              range)
            .toLongLong();
    const Money monthTotal = Money::fromUnits(
        db.scalar(QStringLiteral("SELECT TOTAL(BankAccountAmount) FROM tblCashbook WHERE TransDate "
                                 "BETWEEN ? AND ?"),
                  range)
            .toLongLong());
    std::printf("current month %s: %lld transactions\n",
                qPrintable(month->first.toString(QStringLiteral("MMMM yyyy"))),
                static_cast<long long>(monthRows));
    Figures taxShown;
    std::unique_ptr<ReportPreviewWindow> taxPreview;
    for (int run = 0; run < 3; ++run) {
        taxPreview.reset();
        taxShown.add(timed([&] {
            taxPreview = std::make_unique<ReportPreviewWindow>(
                services, makeReport(services, ReportLayouts::taxAnalysis(),
                                     ReportQueries::byTaxCode(month->first, month->second)));
            taxPreview->show();
            QApplication::processEvents();
        }));
    }
    Report& tax = taxPreview->report();
    const QStringList lastTexts = tax.page(tax.pageCount() - 1).texts();
    taxShown.check(lastTexts.contains(monthTotal.format(Money::Format::Report)),
                   "the month's total is the book's sum");
    taxShown.report("Month's tax analysis in the preview", 1000, kWidth);

    Figures pdf;
    const QString pdfPath = dir.path() + QStringLiteral("/month.pdf");
    for (int run = 0; run < 3; ++run) {
        QFile::remove(pdfPath);
        pdf.add(timed([&] { ReportPainter::writePdf(tax, pdfPath); }));
    }
    pdf.check(pdfPages(pdfPath) == tax.pageCount(), "the PDF holds every page");
    pdf.report("Month's tax analysis saved as PDF", 3000, kWidth);
    std::printf("  %d pages, PDF %.1f MB\n", tax.pageCount(),
                QFileInfo(pdfPath).size() / 1048576.0);

    taxPreview.reset();

    // The month's cashbook report as the switchboard launches it: the distribution rebuilt
    // from the month's bank sides, the two balances, the report paginated and shown in the
    // preview with its first page painted. Timed until the preview has drawn and is closed.
    const qint64 monthLines =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE TransDate BETWEEN ? AND ? "
                                 "AND DoubleEntryBank <> 0"),
                  range)
            .toLongLong();
    check(monthLines > 0, "the current month has transactions");
    const auto bookSum = [&](const char* where, const QVariantList& values) {
        return Money::fromUnits(
            db.scalar(QStringLiteral("SELECT COALESCE(SUM(DoubleEntryBank), 0) FROM tblCashbook "
                                     "WHERE ") +
                          QString::fromLatin1(where),
                      values)
                .toLongLong());
    };
    const Money starting = Money::fromUnits(
        db.scalar(QStringLiteral("SELECT StartingBankBalance FROM tblBankDetails")).toLongLong());
    const Money opening =
        starting + bookSum("TransStatus IN ('1', '2') AND TransDate < ?", {range.first()});
    const Money current = starting + bookSum("TransStatus IN ('1', '2')", {});
    const Money monthDr = bookSum("TransDate BETWEEN ? AND ? AND DoubleEntryBank > 0", range);
    const Money monthCr = bookSum("TransDate BETWEEN ? AND ? AND DoubleEntryBank < 0", range);
    const ReportPreparation preparation{
        [&](int mode) { return PreparetblDistribution(services, mode); },
        [&](int mode) { return calcCurrentBalance(services, mode); }};
    Figures cashbookShown;
    int cashbookPages = 0;
    QStringList cashbookFirstPage;
    for (int run = 0; run < 3; ++run) {
        cashbookPages = 0;
        cashbookFirstPage.clear();
        QTimer closer;
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* modal = qobject_cast<ReportPreviewWindow*>(QApplication::activeModalWidget());
            if (!modal)
                return;
            closer.stop();
            QApplication::processEvents(); // the first page drawn
            cashbookPages = modal->report().pageCount();
            cashbookFirstPage = modal->pageView()->page().texts();
            modal->reject();
        });
        closer.start();
        cashbookShown.add(
            timed([&] { ReportLaunchers::cashbook(services, preparation, nullptr); }));
    }
    cashbookShown.check(
        cashbookFirstPage.contains(QStringLiteral("Page 1 of %1").arg(cashbookPages)),
        "the preview shows page 1 of all");
    cashbookShown.check(cashbookFirstPage.contains(opening.format(Money::Format::Plain)),
                        "the opening balance is the book's");
    cashbookShown.report("Month's cashbook report in the preview", 1000, kWidth);

    // Every page of the report the preview showed, walked as printing does: its number, and
    // one line per bank side of the month (a line's date is the month's), with the sums and
    // the current balance at the end.
    ReportLayout layout = ReportLayouts::cashbook();
    layout.setLabel(QStringLiteral("lblPreviousBal"), opening.format(Money::Format::Plain));
    layout.setLabel(QStringLiteral("lblCurrentBal"), current.format(Money::Format::Plain));
    std::unique_ptr<Report> cashbook =
        makeReport(services, std::move(layout), ReportQueries::glDistribution());
    QSet<QString> monthDates;
    for (QDate day = month->first; day <= month->second; day = day.addDays(1))
        monthDates.insert(Report::formatted(Codes::dateToStored(day), ReportElement::Format::Date));
    qint64 printedLines = 0;
    int walked = 0;
    bool numbered = true;
    QStringList lastPage;
    cashbook->forEachPage(0, cashbook->pageCount() - 1, [&](const ReportPage& page) {
        lastPage = page.texts();
        numbered =
            numbered &&
            lastPage.contains(QStringLiteral("Page %1 of %2").arg(++walked).arg(cashbookPages));
        for (const QString& text : lastPage)
            printedLines += monthDates.contains(text);
    });
    check(cashbook->pageCount() == cashbookPages && walked == cashbookPages && numbered,
          "the cashbook report has the pages the preview counted, each numbered");
    check(printedLines == monthLines,
          "the cashbook report prints a line per bank side of the month");
    check(lastPage.contains(monthDr.format(Money::Format::Report)) &&
              lastPage.contains(monthCr.format(Money::Format::Report)) &&
              lastPage.contains(current.format(Money::Format::Plain)),
          "the cashbook report ends with the month's sums and the current balance");
    std::printf("  %lld lines on %d pages\n", static_cast<long long>(printedLines), cashbookPages);

    Figures cashbookPdf;
    const QString cashbookPdfPath = dir.path() + QStringLiteral("/cashbook.pdf");
    for (int run = 0; run < 3; ++run) {
        QFile::remove(cashbookPdfPath);
        cashbookPdf.add(timed([&] { ReportPainter::writePdf(*cashbook, cashbookPdfPath); }));
    }
    cashbookPdf.check(pdfPages(cashbookPdfPath) == cashbookPages, "the PDF holds every page");
    cashbookPdf.report("Month's cashbook report saved as PDF", 3000, kWidth);
    std::printf("  PDF %.1f MB\n", QFileInfo(cashbookPdfPath).size() / 1048576.0);

    const double memory = peakResidentMb();
    std::printf("Peak resident memory: %.0f MB (target 300 MB)\n", memory);
    withinTarget(memory < 300);
    check(prompts.shown.isEmpty(), "no message box was shown");
    printLoad("after");
    return benchStatus();
}
