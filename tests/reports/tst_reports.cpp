#include "support/datarows.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include "data/codes.h"
#include "data/messages.h"
#include "reconciliation/cashpositionchart.h"
#include "reconciliation/currentbalance.h"
#include "reconciliation/periodend.h"
#include "reports/cashpositionwindow.h"
#include "reports/printselectionwindow.h"
#include "reports/queryrowsource.h"
#include "reports/report.h"
#include "reports/reportcommands.h"
#include "reports/reportcsv.h"
#include "reports/reportfont.h"
#include "reports/reportlaunchers.h"
#include "reports/reportlayouts.h"
#include "reports/reportpageview.h"
#include "reports/reportpainter.h"
#include "reports/reportperioddialog.h"
#include "reports/reportpreviewwindow.h"
#include "reports/reportprinting.h"
#include "reports/reportqueries.h"
#include "shell/switchboardwindow.h"

#include <QBarSeries>
#include <QBarSet>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLineSeries>
#include <QListWidget>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextItem>

using Answer = Prompts::Answer;

namespace {

// A transaction with the fields the reports print; amounts in whole dollars, the bank amount
// signed.
void add(TestBook& book, const QString& id, const QString& date, const QString& type, qint64 bank,
         const QString& taxCode = {}, qint64 base = 0, qint64 tax = 0) {
    book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, "
                            "TransDesc, VendorID, DoubleEntryBank, BankAccountAmount, "
                            "OffsetGSTTaxCode, OffsetAmount, OffsetGSTAmount) "
                            "VALUES (?, ?, ?, '1', ?, 'V1', ?, ?, ?, ?, ?)"),
             {id, date, type, QStringLiteral("Desc ") + id, bank * 10000, (base + tax) * 10000,
              taxCode.isNull() ? QVariant() : taxCode, base * 10000, tax * 10000});
}

void addLine(TestBook& book, const QString& id, const QString& account, const QString& dept,
             qint64 dr, qint64 cr, const QString& date = QStringLiteral("2003-01-10")) {
    book.sql(QStringLiteral("INSERT INTO tblGLDistribution (TransDate, TransID, TransDesc, "
                            "AccountCode, DeptCode, DR, CR, TransStatus, ExportedToAccpac) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?, '1', 0)"),
             {date, id, QStringLiteral("Line ") + id, account, dept, dr * 10000, cr * 10000});
}

// A transaction with its three sides on the bank (1000), offset (6000 ADMIN) and tax (2200)
// accounts; whole dollars, signed as stored.
void addEntry(TestBook& book, const QString& id, const QString& date, const QString& status,
              qint64 bank, qint64 offset, qint64 tax = 0) {
    book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, "
                            "TransDesc, BankAccountGLAccountCode, BankAccountGLDeptCode, "
                            "OffsetGLAccountCode, OffsetGLDeptCode, OffsetGSTGLAccountCode, "
                            "OffsetGSTGLDeptCode, DoubleEntryBank, DoubleEntryOffset, "
                            "DoubleEntryGST, ExportedToAccpac) "
                            "VALUES (?, ?, ?, ?, ?, '1000', '', '6000', 'ADMIN', '2200', '', "
                            "?, ?, ?, 0)"),
             {id, date, bank < 0 ? Codes::PaymentCbOnly : Codes::ReceiptCbOnly, status,
              QStringLiteral("Desc ") + id, bank * 10000, offset * 10000, tax * 10000});
}

std::unique_ptr<Report> report(TestBook& book, ReportLayout layout, RowQuery query) {
    auto result = std::make_unique<Report>(
        std::move(layout), std::make_unique<QueryRowSource>(book.db, std::move(query)),
        book.clock.today());
    result->paginate();
    return result;
}

// The text laid out right of `caption` on the same line (a label or a sum beside its caption).
QStringList besideCaption(const ReportPage& page, const QString& caption) {
    QStringList found;
    for (const PageItem& item : page.items) {
        if (item.text != caption)
            continue;
        for (const PageItem& other : page.items) {
            if (other.kind == PageItem::Kind::Text && other.rect.top() == item.rect.top() &&
                other.rect.left() > item.rect.left())
                found << other.text;
        }
    }
    return found;
}

// A paint device that keeps the texts painted on it: what a printer or PDF receives.
class TextRecorder : public QPaintDevice {
public:
    QStringList texts;
    QList<QFont> fonts; // each text's
    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    // A Letter page at 72 dots an inch.
    int metric(PaintDeviceMetric metric) const override {
        if (metric == PdmDevicePixelRatioScaled)
            return int(devicePixelRatioFScale());
        const QHash<int, int> values{{PdmWidth, 612},      {PdmHeight, 792},      {PdmDpiX, 72},
                                     {PdmDpiY, 72},        {PdmPhysicalDpiX, 72}, {PdmDepth, 32},
                                     {PdmPhysicalDpiY, 72}};
        return values.value(metric, 1);
    }

private:
    class Engine : public QPaintEngine {
    public:
        Engine(QStringList& texts, QList<QFont>& fonts) : m_texts(texts), m_fonts(fonts) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override {
            m_texts << item.text();
            m_fonts << item.font();
        }
        Type type() const override { return User; }

    private:
        QStringList& m_texts;
        QList<QFont>& m_fonts;
    };
    mutable Engine m_engine{texts, fonts};
};

// Paints a page as a printer or a PDF receives it, and returns what was painted.
void paintOn(TextRecorder& recorder, const ReportPage& page, const ReportLayout& layout) {
    QPainter painter(&recorder);
    ReportPainter::paint(painter, page, layout.pageSize, QRectF(0, 0, 612, 792));
}

// Printers for the preview: none, or one that writes a PDF file.
class FakePrinting : public ReportPrinting {
public:
    bool printer = false;
    QString pdfPath;
    bool hasPrinter() const override { return printer; }
    bool choose(QPrinter& target, QWidget*, int) override {
        target.setOutputFormat(QPrinter::PdfFormat);
        target.setOutputFileName(pdfPath);
        return true;
    }
};

// Answers the period dialog a month-based report opens with: `choose` sets it (nothing: the
// current month), Enter accepts it, and `drive` then drives the report's preview (none: no
// report is shown).
void onPeriod(std::function<void(QDialog*)> choose, std::function<void(QDialog*)> drive) {
    whenModal([choose, drive](QDialog* dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("frmReportPeriod"));
        if (choose)
            choose(dialog);
        if (drive)
            whenModal(drive);
        QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_Return);
    });
}

// Every text of every page of the report the preview shows.
QStringList reportTexts(QDialog* modal) {
    Report& report = qobject_cast<ReportPreviewWindow*>(modal)->report();
    QStringList texts;
    for (int i = 0; i < report.pageCount(); ++i)
        texts << report.page(i).texts();
    return texts;
}

// Runs a month-based report's command, choosing its period with `choose`, and returns its
// pages' texts (none when no report was shown).
QStringList runReport(QWidget* switchboard, const QString& command,
                      std::function<void(QDialog*)> choose = {}) {
    QStringList texts;
    onPeriod(choose, [&texts](QDialog* modal) {
        texts = reportTexts(modal);
        modal->reject();
    });
    if (!runCommand(switchboard, command))
        return {};
    return texts;
}

// Chooses an earlier month, or a range of dates, in the period dialog.
std::function<void(QDialog*)> chooseMonth(int month, int year) {
    return [month, year](QDialog* dialog) {
        child<QRadioButton>(dialog, QStringLiteral("optEarlierMonth"))->setChecked(true);
        child<QComboBox>(dialog, QStringLiteral("cboMonth"))->setCurrentIndex(month - 1);
        child<QSpinBox>(dialog, QStringLiteral("spnYear"))->setValue(year);
    };
}

std::function<void(QDialog*)> chooseRange(const QDate& from, const QDate& to) {
    return [from, to](QDialog* dialog) {
        child<QRadioButton>(dialog, QStringLiteral("optDateRange"))->setChecked(true);
        child<QDateEdit>(dialog, QStringLiteral("dtpFrom"))->setDate(from);
        child<QDateEdit>(dialog, QStringLiteral("dtpTo"))->setDate(to);
    };
}

int pdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    return bytes.startsWith("%PDF") ? int(bytes.count("/Type /Page\n")) : -1;
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT
private slots:
    void pagination_data();
    void pagination();
    void groupsAndSums_data();
    void groupsAndSums();
    void paintedPageAndPdf();
    void textsFit_data();
    void textsFit();
    void voucherForms_data();
    void voucherForms();
    void balanceLaunchers_data();
    void balanceLaunchers();
    void selectionWindows_data();
    void selectionWindows();
    void previewCommands();
    void csvRows_data();
    void csvRows();
    void pageOnPaper_data();
    void pageOnPaper();
    void switchboardCommands();
    void distributionReports_data();
    void distributionReports();
    void lookBackAsItWas_data();
    void lookBackAsItWas();
    void lookBackPeriods_data();
    void lookBackPeriods();
    void cashPositionWindow();
};

void TestReports::pagination_data() {
    columns<bool, int, int>("taxAnalysis", "rows", "pages");
    // All transactions: the first page holds the title too, 47 rows; the next 50 each.
    addRow("empty", false, 0, 1);
    addRow("one page full", false, 47, 1);
    addRow("one row over", false, 48, 2);
    addRow("three pages", false, 47 + 50 + 1, 3);
    // Tax analysis of one code in either case: the first page holds 45 rows to its very end;
    // a page that goes on with the group repeats its header, the sub-total and the total
    // follow the last row.
    addRow("tax: the sub-total stays with its group's last row", true, 45, 2);
    addRow("tax: a page filled to its very end", true, 45 + 42, 2);
    addRow("tax: one row more", true, 45 + 43, 3);
}

void TestReports::pagination() {
    auto [taxAnalysis, rows, pages] = fetch<bool, int, int>("taxAnalysis", "rows", "pages");
    TestBook book;
    QStringList ids;
    for (int i = 0; i < rows; ++i) {
        // Same-date rows in text order of ID, inserted out of order.
        const QString id = QString::number(1000 + (i * 37) % rows);
        add(book, id, QStringLiteral("2003-01-%1").arg(1 + i % 2, 2, 10, QLatin1Char('0')),
            Codes::PaymentCbOnly, -100, i % 3 == 1 ? QStringLiteral("g") : QStringLiteral("G"),
            100);
    }
    QSqlQuery ordered =
        book.db.exec(QStringLiteral("SELECT TransID FROM tblCashbook ORDER BY TransDate, TransID"));
    while (ordered.next())
        ids << ordered.value(0).toString();

    auto r = taxAnalysis
                 ? report(book, ReportLayouts::taxAnalysis(),
                          ReportQueries::byTaxCode(QDate(2003, 1, 1), QDate(2003, 1, 31)))
                 : report(book, ReportLayouts::allTransactions(), ReportQueries::allTransactions());
    QCOMPARE(r->pageCount(), pages);
    QStringList printedIds;
    QStringList pageTexts;
    QStringList groups;
    for (int i = 0; i < r->pageCount(); ++i) {
        const ReportPage page = r->page(i);
        const QStringList texts = page.texts();
        pageTexts << texts;
        QCOMPARE(texts.count(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages)), 1);
        QVERIFY(texts.contains(QStringLiteral("Printed: 15 Jan 03")));
        QCOMPARE(texts.count(QStringLiteral("All Transactions")), i == 0 && !taxAnalysis ? 1 : 0);
        QCOMPARE(texts.count(r->layout().columns.at(1).heading), 1);
        groups << besideCaption(page, QStringLiteral("Tax Code:"));
        bool rowAbove = false;
        for (const QString& text : texts) {
            if (ids.contains(text)) {
                printedIds << text;
                rowAbove = true;
            }
            // A sub-total never opens a page: a row of its group comes before it.
            if (text == QLatin1String("Sub-total:"))
                QVERIFY(rowAbove);
        }
    }
    // Every row once, in order, across the page breaks.
    QCOMPARE(printedIds, ids);
    // One group whatever the case, named again on the page that goes on with it.
    QCOMPARE(groups, taxAnalysis ? (QStringList{"G", "G (continued)"}) : QStringList());
    // Pages laid out in one pass (printing, PDF) are the pages shown one by one.
    QStringList walked;
    r->forEachPage(0, r->pageCount() - 1, [&](const ReportPage& page) { walked << page.texts(); });
    QCOMPARE(walked, pageTexts);
}

void TestReports::groupsAndSums_data() {
    columns<QString>("report");
    addRow("tax analysis", "tax");
    addRow("GL summary", "summary");
    addRow("cashbook, 500 either way", "cashbook");
    addRow("cashbook, empty distribution", "empty");
}

void TestReports::groupsAndSums() {
    const auto [report] = fetch<QString>("report");
    TestBook book;
    std::unique_ptr<Report> r;
    QStringList groups;    // group header texts, in order
    QStringList subTotals; // the sums beside "Sub-total:", group by group
    QStringList totals;    // the sums beside "Total:"
    if (report == QLatin1String("tax")) {
        // 70 rows of code B cross a page; code A and rows without a code make the other groups.
        for (int i = 0; i < 70; ++i)
            add(book, QStringLiteral("B%1").arg(i, 3, 10, QLatin1Char('0')),
                QStringLiteral("2003-01-05"), Codes::PaymentCbOnly, 0, QStringLiteral("B"), 10, 1);
        add(book, QStringLiteral("A1"), QStringLiteral("2003-01-06"), Codes::PaymentCbOnly, 0,
            QStringLiteral("A"), -250, -25);
        add(book, QStringLiteral("N1"), QStringLiteral("2003-01-07"), Codes::PaymentCbOnly, 0,
            QString(), 40, 0);
        // Codes in another case are the same code, in the same place.
        add(book, QStringLiteral("b1"), QStringLiteral("2003-01-08"), Codes::PaymentCbOnly, 0,
            QStringLiteral("b"), 10, 1);
        add(book, QStringLiteral("C1"), QStringLiteral("2003-01-09"), Codes::PaymentCbOnly, 0,
            QStringLiteral("C"), 5, 0);
        // Outside the current month: left out.
        add(book, QStringLiteral("X1"), QStringLiteral("2003-02-01"), Codes::PaymentCbOnly, 0,
            QStringLiteral("A"), 999, 0);
        r = ::report(book, ReportLayouts::taxAnalysis(),
                     ReportQueries::byTaxCode(QDate(2003, 1, 1), QDate(2003, 1, 31)));
        groups = QStringList{"", "A", "B", "B (continued)", "C"};
        subTotals = QStringList{"$40.00",  "$0.00",  "$40.00",  "-$250.00", "-$25.00", "-$275.00",
                                "$710.00", "$71.00", "$781.00", "$5.00",    "$0.00",   "$5.00"};
        totals = QStringList{"$505.00", "$46.00", "$551.00"};
        QCOMPARE(r->pageCount(), 2);
    } else if (report == QLatin1String("summary")) {
        addLine(book, "3", "6000", "SALES", 30, 0);
        addLine(book, "1", "6000", "ADMIN", 10, 0);
        addLine(book, "2", "1000", "", 0, -40);
        addLine(book, "4", "6000", "ADMIN", 5, 0, QStringLiteral("2003-01-02"));
        addLine(book, "5", "6000", "admin", 7, 0); // ADMIN; as bytes it sorts after SALES
        // Account 4300 runs on to the second page.
        for (int i = 0; i < 50; ++i)
            addLine(book, QStringLiteral("L%1").arg(i, 2, 10, QLatin1Char('0')), "4300", "", 1, 0);
        r = ::report(book, ReportLayouts::glDistributionSummary(),
                     ReportQueries::byAccountCodeDeptCode());
        auto header = [](const char* account, const char* dept) {
            return QStringList{account, "Dept Code:", dept};
        };
        groups = header("1000", "") + header("4300", "") + header("4300 (continued)", "") +
                 header("6000", "ADMIN") + header("6000", "SALES");
        subTotals = QStringList{"$0.00",  "-$40.00", "$50.00", "$0.00",
                                "$22.00", "$0.00",   "$30.00", "$0.00"};
        totals = QStringList{"$102.00", "-$40.00"};
        QCOMPARE(r->pageCount(), 2);
    } else {
        if (report == QLatin1String("cashbook")) {
            addLine(book, "R1", "1000", "", 500, 0);
            addLine(book, "P1", "1000", "", 0, -500);
        }
        r = ::report(book, ReportLayouts::cashbook(), ReportQueries::glDistribution());
        totals = report == QLatin1String("cashbook") ? QStringList{"-$500.00", "$500.00"}
                                                     : QStringList{"$0.00", "$0.00"};
    }
    QStringList seenGroups, seenSubTotals, seenTotals;
    for (int i = 0; i < r->pageCount(); ++i) {
        const ReportPage page = r->page(i);
        seenGroups << besideCaption(page, QStringLiteral("Tax Code:"))
                   << besideCaption(page, QStringLiteral("Account Code:"));
        seenSubTotals << besideCaption(page, QStringLiteral("Sub-total:"));
        seenTotals << besideCaption(page, QStringLiteral("Total:"));
    }
    QCOMPARE(seenGroups, groups);
    QCOMPARE(seenSubTotals, subTotals);
    QCOMPARE(seenTotals, totals);
}

void TestReports::paintedPageAndPdf() {
    TestBook book;
    for (int i = 0; i < 120; ++i)
        addLine(book, QString::number(2000 + i), "1000", "", i % 2 ? 0 : 100, i % 2 ? -100 : 0);
    ReportLayout layout = ReportLayouts::cashbook();
    QVERIFY(layout.setLabel(QStringLiteral("lblPreviousBal"), QStringLiteral("$1,000.00")));
    auto r = report(book, std::move(layout), ReportQueries::glDistribution());
    QCOMPARE(r->pageCount(), 3);

    // What the painter draws is what a printer or a PDF receives, all of it in the font the
    // program carries, whichever fonts the machine has.
    TextRecorder recorder;
    paintOn(recorder, r->page(0), r->layout());
    for (const char* text : {"Cashbook", "C/B Opening Bal:", "$1,000.00", "Recon", "10 Jan 03",
                             "2000", "$100.00", "Printed: 15 Jan 03", "Page 1 of 3"})
        QVERIFY2(recorder.texts.contains(QString::fromLatin1(text)), text);
    QVERIFY(ReportFont::registerFont());
    QCOMPARE(ReportFont::family(), QStringLiteral("Liberation Sans"));
    for (const QFont& font : recorder.fonts) {
        QCOMPARE(font.family(), ReportFont::family());
        QCOMPARE(QFontInfo(font).family(), ReportFont::family());
    }

    QImage image(612, 792, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter imagePainter(&image);
    ReportPainter::paint(imagePainter, r->page(2), r->layout().pageSize, image.rect());
    imagePainter.end();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += image.pixel(x, y) != qRgb(255, 255, 255);
    QVERIFY(inked > 1000);
}

// A description as long as they come on a bank statement.
const QString kDescription = QStringLiteral("Payment to Golden Pages Trading Co Ltd");

// Every report's layout with the rows it is printed from.
QMap<QString, std::pair<ReportLayout (*)(), RowQuery>> everyReport() {
    return {
        {"rptAllTransactions", {&ReportLayouts::allTransactions, ReportQueries::allTransactions()}},
        {"rptTaxAnalysis",
         {&ReportLayouts::taxAnalysis,
          ReportQueries::byTaxCode(QDate(2003, 1, 1), QDate(2003, 1, 31))}},
        {"rptGLDistributionListing",
         {&ReportLayouts::glDistributionListing, ReportQueries::glDistribution()}},
        {"rptGLDistributionSummary",
         {&ReportLayouts::glDistributionSummary, ReportQueries::byAccountCodeDeptCode()}},
        {"rptCashbook", {&ReportLayouts::cashbook, ReportQueries::glDistribution()}},
        {"rptBankReconciliation",
         {&ReportLayouts::bankReconciliation, ReportQueries::glDistribution()}},
        {"rptPaymentVouchers", {&ReportLayouts::paymentVoucher, ReportQueries::transaction("P1")}},
        {"rptReceipts", {&ReportLayouts::receipt, ReportQueries::transaction("P1")}}};
}

void TestReports::textsFit_data() {
    columns<QString>("report");
    for (const QString& name : everyReport().keys())
        addRow(qPrintable(name), name);
}

void TestReports::textsFit() {
    const auto [report] = fetch<QString>("report");
    const auto [layoutOf, query] = everyReport().value(report);
    ReportLayout layout = layoutOf();

    // A caption or heading wider than its place would be cut short on the page.
    for (const ReportBand* band :
         {&layout.reportHeader, &layout.pageHeader, &layout.groupHeader, &layout.detail,
          &layout.groupFooter, &layout.reportFooter, &layout.continuation}) {
        for (const ReportElement& element : band->elements) {
            if (element.kind != ReportElement::Kind::Text || element.text.isEmpty())
                continue;
            qreal width = 0;
            for (const QString& word :
                 element.wrap ? element.text.split(QLatin1Char(' ')) : QStringList{element.text})
                width = std::max(width, ReportFont::width(word, element.fontSize, element.bold));
            QVERIFY2(width <= element.rect.width(), qPrintable(element.text));
        }
    }

    // The largest amount the book allows, in every amount, and sums of two of them: each is
    // printed whole, and one the book allows keeps the listings' size at least.
    const qint64 largest = Q_INT64_C(9999999999999900);
    TestBook book;
    for (const char* id : {"P1", "P2"}) {
        book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, "
                                "TransStatus, OffsetGSTTaxCode, DoubleEntryBank, "
                                "BankAccountAmount, OffsetAmount, OffsetGSTAmount) "
                                "VALUES (?, '2003-01-05', '1', '1', 'G', ?, ?, ?, ?)"),
                 {QString::fromLatin1(id), -largest, -largest, -largest, -largest});
        book.sql(QStringLiteral("INSERT INTO tblGLDistribution (TransDate, TransID, TransDesc, "
                                "AccountCode, DeptCode, DR, CR) VALUES ('2003-01-05', ?, ?, "
                                "'WWWWWW', 'WWWWWW', ?, ?)"),
                 {QString::fromLatin1(id), kDescription, largest, -largest});
    }
    for (const char* name :
         {"lblPreviousBal", "lblCurrentBal", "lblCBCurrentBal", "lblBankStatementBal"})
        layout.setLabel(QString::fromLatin1(name), QStringLiteral("-$1,999,999,999,999.98"));
    auto r = ::report(book, std::move(layout), query);
    const QRegularExpression amount(QStringLiteral("^-?\\$[0-9,]+\\.[0-9]{2}$"));
    QStringList laidOut, painted, allPainted;
    for (int i = 0; i < r->pageCount(); ++i) {
        const ReportPage page = r->page(i);
        for (const PageItem& item : page.items) {
            if (!amount.match(item.text).hasMatch())
                continue;
            laidOut << item.text;
            QVERIFY2(item.whole, qPrintable(item.text));
            QVERIFY2(ReportFont::width(item.text, item.fontSize, item.bold) <= item.rect.width(),
                     qPrintable(item.text));
            if (item.text.size() <= 20)
                QVERIFY2(item.fontSize >= 8, qPrintable(item.text));
        }
        TextRecorder recorder;
        paintOn(recorder, page, r->layout());
        for (const QString& text : recorder.texts) {
            if (amount.match(text).hasMatch())
                painted << text;
        }
        allPainted << recorder.texts;
    }
    QVERIFY(laidOut.contains(QStringLiteral("-$999,999,999,999.99")));
    // Nothing cut short on its way to paper.
    QCOMPARE(painted, laidOut);
    // The reports of the bank give the description the room the bank's codes do not need.
    if (report == QLatin1String("rptCashbook") || report == QLatin1String("rptBankReconciliation"))
        QVERIFY(allPainted.contains(kDescription));
}

// The longest texts a voucher's fields may hold, and comments of many lines.
const QString kLongName = QStringLiteral("Wolverhampton Wanderers Holdin");
const QString kLongAddress = QStringLiteral("Flat 12, Wolverhampton Wharf R");
const QString kLongPostalCode = QStringLiteral("WC2N-5DU WC2N-5");
const QString kFirstParagraph =
    QStringLiteral("Paid on behalf of the branch office for the refurbishment of the second "
                   "floor, as agreed with the landlord in the letter of the third of March, "
                   "against the invoice that was sent twice because the first copy went to the "
                   "old address of the company and was returned unopened by the post office.");

QString commentLine(int i) {
    return QStringLiteral("Line %1 of the detailed comments about this payment.")
        .arg(i, 2, 10, QChar('0'));
}

void TestReports::voucherForms_data() {
    columns<bool, QString, int, QStringList>("receipt", "id", "pages", "texts");
    addRow("payment voucher", false, "000123", 1,
           QStringList{"PAYMENT VOUCHER", "Vendor ID", "V1", "000123", "05 Jan 03", "$100.00",
                       "$107.00", "Payment Approved by:", "Payment Received by:"});
    addRow("receipt, all digits", true, "1002", 1,
           QStringList{"OFFICIAL RECEIPT", "Customer ID", "1002", "Received by:"});
    addRow("no such voucher", false, "999", 1, QStringList{});
    // Every character of the longest fields; a line break of the description as a space; the
    // comments cut with a mark and run on to a second page.
    addRow("longest texts, comments run on", false, "LONG", 2,
           QStringList{kLongName, kLongAddress, "Wolverhampton Centre", kLongPostalCode,
                       "Hauptstraße 1 second floor", "(continued on the next page)",
                       "Detailed Comments (continued)"});
}

void TestReports::voucherForms() {
    const auto [receipt, id, pages, texts] =
        fetch<bool, QString, int, QStringList>("receipt", "id", "pages", "texts");
    TestBook book;
    add(book, "000123", "2003-01-05", Codes::PaymentCbOnly, -107, "G", 100, 7);
    add(book, "1002", "2003-01-06", Codes::ReceiptCbOnly, 50);
    QStringList comments{kFirstParagraph};
    for (int i = 1; i <= 40; ++i)
        comments << commentLine(i);
    book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, "
                            "TransDesc, TransDescMemo, VendorID, VendorName, Address1, Address2, "
                            "Address3, Address4, PostalCode) "
                            "VALUES ('LONG', '2003-01-07', '1', '1', ?, ?, 'WWWWWW', ?, ?, ?, ?, "
                            "'Wolverhampton Centre', ?)"),
             {QStringLiteral("Hauptstraße 1\nsecond floor"), comments.join(QStringLiteral("\r\n")),
              kLongName, kLongAddress, kLongAddress, kLongAddress, kLongPostalCode});
    auto r = report(book, receipt ? ReportLayouts::receipt() : ReportLayouts::paymentVoucher(),
                    ReportQueries::transaction(id));
    QCOMPARE(r->pageCount(), pages);
    QStringList shown;
    for (int i = 0; i < r->pageCount(); ++i) {
        const ReportPage page = r->page(i);
        shown << page.texts();
        for (const PageItem& item : page.items) {
            if (item.whole)
                QVERIFY2(ReportFont::width(item.text, item.fontSize, item.bold) <=
                             item.rect.width(),
                         qPrintable(item.text));
        }
    }
    for (const QString& text : texts)
        QVERIFY2(shown.contains(text), qPrintable(text));
    if (texts.isEmpty()) // an empty voucher: the page without a form
        QVERIFY(shown.isEmpty());
    if (id != QLatin1String("LONG"))
        return;
    // Every line of the comments once, the long paragraph in its lines one after the other.
    for (int i = 1; i <= 40; ++i)
        QCOMPARE(shown.count(commentLine(i)), 1);
    QVERIFY(shown.join(QLatin1Char(' ')).contains(kFirstParagraph));
}

// The distribution is prepared under the busy pointer, in the report's mode; with nothing to
// distribute no balance is worked out and nothing is shown. What each report then prints, with
// the balance of each mode in its place: distributionReports.
void TestReports::balanceLaunchers_data() {
    columns<bool, bool>("bankReconciliation", "prepared");
    addRow("cashbook", false, true);
    addRow("bank reconciliation", true, true);
    addRow("nothing to distribute", false, false);
}

void TestReports::balanceLaunchers() {
    const auto [bankReconciliation, prepared] = fetch<bool, bool>("bankReconciliation", "prepared");
    TestBook book;
    addLine(book, "R1", "1000", "", 500, 0);
    QList<int> modes;
    int balances = 0;
    bool busyWhilePreparing = false, shown = false;
    ReportPreparation preparation{[&](int mode) {
                                      modes << mode;
                                      busyWhilePreparing = book.busy.isBusy();
                                      return prepared;
                                  },
                                  [&](int) {
                                      ++balances;
                                      return Money();
                                  }};
    if (prepared)
        whenModal([&](QDialog* modal) {
            shown = true;
            modal->reject();
        });
    if (bankReconciliation)
        ReportLaunchers::bankReconciliation(book.services, preparation, nullptr);
    else
        ReportLaunchers::cashbook(book.services, preparation, nullptr);
    QVERIFY(busyWhilePreparing);
    QVERIFY(!book.busy.isBusy());
    QCOMPARE(modes, QList<int>{bankReconciliation ? 2 : 0});
    QCOMPARE(balances > 0, prepared);
    QCOMPARE(shown, prepared);
}

void TestReports::selectionWindows_data() {
    columns<bool>("receipts");
    addRow("payment vouchers", false);
    addRow("receipts", true);
}

void TestReports::selectionWindows() {
    const auto [receipts] = fetch<bool>("receipts");
    TestBook book;
    const QString mine = receipts ? Codes::ReceiptCbAr : Codes::PaymentCbAp;
    const QString other = receipts ? Codes::PaymentCbOnly : Codes::ReceiptCbOnly;
    for (const char* id : {"100", "1001", "99", "1002"})
        add(book, id, "2003-01-05", mine, 5);
    add(book, "5000", "2003-01-05", other, 5);
    book.sql(
        QStringLiteral("UPDATE tblSystemSetup SET CompanyName = 'Golden Pages Ltd', "
                       "Address1 = '1 High Street', Address2 = 'Leeds', Address3 = 'LS1 4AB'"));
    PrintSelectionWindow window(book.services, receipts ? PrintSelectionKind::receipts()
                                                        : PrintSelectionKind::paymentVouchers());
    QCOMPARE(window.objectName(), receipts ? "frmListReceipts" : "frmListPaymentVouchers");
    auto* list = child<QListWidget>(&window, receipts ? "lstReceipts" : "lstPaymentVouchers");
    QStringList ids;
    for (int i = 0; i < list->count(); ++i)
        ids << list->item(i)->text();
    QCOMPARE(ids, (QStringList{"99", "1002", "1001", "100"}));

    const char* print = receipts ? "cmdLstReceipts" : "cmdLstPaymentVoucher";
    book.prompts.expect(receipts ? Messages::receiptNotSelected()
                                 : Messages::paymentVoucherNotSelected());
    press(&window, print);
    QVERIFY(book.prompts.verifyAllShown());

    // Each preview shows the number chosen then, not the one before, under its issuer; a
    // double-click on a number prints it as the button does.
    window.show();
    for (const QString& id : {QStringLiteral("1001"), QStringLiteral("1002")}) {
        QListWidgetItem* item = list->findItems(id, Qt::MatchExactly).first();
        QStringList texts;
        whenModal([&](QDialog* modal) {
            texts = qobject_cast<ReportPreviewWindow*>(modal)->pageView()->page().texts();
            modal->reject();
        });
        if (id == QLatin1String("1001")) {
            list->setCurrentItem(item);
            press(&window, print);
        } else {
            const QPoint centre = list->visualItemRect(item).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        }
        QVERIFY(texts.contains(id));
        QCOMPARE(texts.count(QStringLiteral("1001")) + texts.count(QStringLiteral("1002")), 1);
        for (const char* issuer : {"Golden Pages Ltd", "1 High Street", "Leeds", "LS1 4AB"})
            QVERIFY2(texts.contains(QString::fromLatin1(issuer)), issuer);
    }
}

void TestReports::previewCommands() {
    TestBook book;
    for (int i = 0; i < 120; ++i)
        add(book, QString::number(3000 + i), "2003-01-08", Codes::PaymentCbOnly, -1250 - i);
    FakePrinting printing;
    ReportPreviewWindow window(
        book.services,
        report(book, ReportLayouts::allTransactions(), ReportQueries::allTransactions()),
        &printing);
    window.show();
    ReportPageView* view = window.pageView();
    auto* next = child<QPushButton>(&window, "cmdNext");
    auto* first = child<QPushButton>(&window, "cmdFirst");
    QVERIFY(!first->isEnabled());
    press(&window, "cmdNext");
    QCOMPARE(view->pageIndex(), 1);
    press(&window, "cmdLast");
    QCOMPARE(view->pageIndex(), 2);
    QVERIFY(!next->isEnabled());
    QVERIFY(view->page().texts().contains(QStringLiteral("Page 3 of 3")));
    child<QSpinBox>(&window, "txtPage")->setValue(2);
    QCOMPARE(view->pageIndex(), 1);
    press(&window, "cmdPrevious");
    QCOMPARE(view->pageIndex(), 0);
    // A number past the end shows the last page, and says so.
    auto* pageNumber = child<QSpinBox>(&window, "txtPage");
    pageNumber->setFocus();
    pageNumber->selectAll();
    QTest::keyClicks(pageNumber, QStringLiteral("9999"));
    QTest::keyClick(pageNumber, Qt::Key_Return);
    QCOMPARE(view->pageIndex(), 2);
    QCOMPARE(pageNumber->value(), 3);

    // The preview opens with the page across the window, and keeps it so when resized.
    auto* zoom = child<QComboBox>(&window, "cboZoom");
    QWidget* viewport = child<QScrollArea>(&window, "scrPage")->viewport();
    QCOMPARE(zoom->currentText(), QStringLiteral("Fit width"));
    QVERIFY(view->width() <= viewport->width());
    QVERIFY(view->width() >= viewport->width() - 20);
    window.resize(window.width() + 200, window.height());
    QCoreApplication::processEvents();
    QVERIFY(view->width() <= viewport->width());
    QVERIFY(view->width() >= viewport->width() - 20);
    zoom->setCurrentText(QStringLiteral("100%"));
    const int width = view->width();
    zoom->setCurrentText(QStringLiteral("200%"));
    QCOMPARE(view->width(), width * 2);

    // No printer: the one message, with a real line break.
    book.prompts.expect(Messages::printingError());
    press(&window, "cmdPrint");
    QVERIFY(book.prompts.verifyAllShown());
    QVERIFY(Messages::printingError().contains(QStringLiteral("\r\n")));

    printing.printer = true;
    printing.pdfPath = book.appDir() + QStringLiteral("/printed.pdf");
    press(&window, "cmdPrint");
    QCOMPARE(pdfPages(printing.pdfPath), 3);

    const QString pdf = book.appDir() + QStringLiteral("/saved.pdf");
    book.fileDialogs.answer(pdf);
    press(&window, "cmdSavePdf");
    QCOMPARE(pdfPages(pdf), 3);
    // The font goes into the file with it.
    QVERIFY(fileBytes(pdf).contains("/FontFile2"));
    QVERIFY(fileBytes(pdf).contains("LiberationSans"));

    const QString csv = book.appDir() + QStringLiteral("/rows.csv");
    book.fileDialogs.answer(std::nullopt);
    press(&window, "cmdSaveCsv");
    QVERIFY(!QFile::exists(csv));
    book.fileDialogs.answer(csv);
    press(&window, "cmdSaveCsv");
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // The headings and every row: csvRows tests what the lines hold.
    QCOMPARE(file.readAll().count("\r\n"), 121);
}

void TestReports::csvRows_data() {
    columns<QString, QString, QStringList>("report", "description", "rows");
    addRow(
        "all transactions: dates and amounts plain", "all", "Rent, March",
        QStringList{"2003-01-08,T1,\"Rent, March\",V1,,-107,1", "2003-01-09,T2,Desc T2,V1,,-50,1"});
    // A row in another case of the code is in its group, and carries the group's code.
    addRow("tax analysis: the tax code leads", "tax", "",
           QStringList{"G,2003-01-08,T1,100,7,107", "G,2003-01-09,T2,50,0,50"});
    addRow("GL summary: the account and the department lead", "summary", "Rent",
           QStringList{"6000,ADMIN,2003-01-10,T1,Rent,107,0",
                       "6000,ADMIN,2003-01-11,T2,Line T2,50,0"});
    // What a spreadsheet would run is shown as text: the description in, the field written.
    const auto row = [](const char* name, const char* description, const char* written) {
        addRow(name, "all", description,
               QStringList{QStringLiteral("2003-01-08,T1,%1,V1,,-107,1").arg(written)});
    };
    row("formula", "=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\"");
    row("plus", "+SUM(1,2)", "\"'+SUM(1,2)\"");
    row("at", "@SUM(A1)", "'@SUM(A1)");
    row("minus, not a number", "-2+3", "'-2+3");
    row("minus, a number", "-12.50", "-12.50");
    row("tab", "\tcmd", "'\tcmd");
    row("carriage return", "\r=1", "\"'\r=1\"");
    row("a sign inside the text", "Net = 2+3", "Net = 2+3");
}

void TestReports::csvRows() {
    auto [kind, description, rows] =
        fetch<QString, QString, QStringList>("report", "description", "rows");
    TestBook book;
    std::unique_ptr<Report> r;
    QString headings;
    if (kind == QLatin1String("summary")) {
        addLine(book, "T1", "6000", "ADMIN", 107, 0);
        addLine(book, "T2", "6000", "admin", 50, 0, QStringLiteral("2003-01-11"));
        book.sql(QStringLiteral("UPDATE tblGLDistribution SET TransDesc = ? WHERE TransID = 'T1'"),
                 {description});
        r = report(book, ReportLayouts::glDistributionSummary(),
                   ReportQueries::byAccountCodeDeptCode());
        headings = QStringLiteral("Account Code,Dept Code,Date,Trans ID,Description,DR,CR");
    } else {
        add(book, "T1", "2003-01-08", Codes::PaymentCbOnly, -107, "G", 100, 7);
        add(book, "T2", "2003-01-09", Codes::PaymentCbOnly, -50, "g", 50, 0);
        book.sql(QStringLiteral("UPDATE tblCashbook SET TransDesc = ? WHERE TransID = 'T1'"),
                 {description});
        if (kind == QLatin1String("tax")) {
            r = report(book, ReportLayouts::taxAnalysis(),
                       ReportQueries::byTaxCode(QDate(2003, 1, 1), QDate(2003, 1, 31)));
            headings =
                QStringLiteral("Tax Code,Date,Transaction ID,Base Amount,Tax Amount,Total Amount");
        } else {
            r = report(book, ReportLayouts::allTransactions(), ReportQueries::allTransactions());
            headings =
                QStringLiteral("Date,Trans ID,Description,Vendor,Customer,Bank Amount,Rec Status");
        }
    }
    const QString path = book.appDir() + QStringLiteral("/rows.csv");
    QCOMPARE(ReportCsv::write(*r, path), 2);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.takeFirst(), headings);
    QCOMPARE(lines.takeLast(), QString()); // after the last line's end
    QCOMPARE(lines.mid(0, rows.size()), rows);
}

void TestReports::pageOnPaper_data() {
    // paper: the sheet; page: where the Letter page lands; both in points
    columns<QSizeF, QRectF>("paper", "page");
    addRow("Letter", QSizeF(612, 792), QRectF(0, 0, 612, 792));
    addRow("A4: the page's own size, centred", QSizeF(595.28, 841.89),
           QRectF(-8.36, 24.945, 612, 792));
    // A5 cannot hold the printed area at full size: evenly smaller, centred.
    addRow("A5: evenly smaller", QSizeF(419.53, 595.28),
           QRectF(-64.543, -57.347, 548.616, 709.973));
}

void TestReports::pageOnPaper() {
    const auto [paper, page] = fetch<QSizeF, QRectF>("paper", "page");
    // A printer of 600 dots an inch.
    const qreal dots = 600 / 72.0;
    const QRectF target =
        ReportPainter::onPaper(QSizeF(612, 792), 72, QRectF(QPointF(), paper * dots), dots);
    // The same scale both ways: nothing is stretched.
    QCOMPARE(target.width() / 612, target.height() / 792);
    QVERIFY(qAbs(target.left() / dots - page.left()) < 0.5);
    QVERIFY(qAbs(target.top() / dots - page.top()) < 0.5);
    QVERIFY(qAbs(target.width() / dots - page.width()) < 0.5);
}

void TestReports::switchboardCommands() {
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    // The reports over the distribution prepare it first: with no transaction in the
    // current month there is nothing to show.
    book.prompts.expect(Messages::noCurrentMonthTransactions());
    onPeriod({}, {});
    QVERIFY(runCommand(&switchboard, QStringLiteral("cmdGLListing")));
    QVERIFY(book.prompts.verifyAllShown());

    for (const char* command : {"cmdAllTransactions", "mnuReportsTaxAnalysis"}) {
        QString opened;
        const auto open = [&](QDialog* modal) {
            opened = modal->windowTitle();
            modal->reject();
        };
        // The tax analysis asks for its period first; Enter takes the current month.
        if (QLatin1String(command) == QLatin1String("mnuReportsTaxAnalysis"))
            onPeriod({}, open);
        else
            whenModal(open);
        QVERIFY(runCommand(&switchboard, QString::fromLatin1(command)));
        QCOMPARE(opened, QString::fromLatin1(command).startsWith(QLatin1String("cmd"))
                             ? "All Transactions"
                             : "Tax Analysis");
    }
    QVERIFY(runCommand(&switchboard, QStringLiteral("mnuReportsReceipts")));
    auto* list = switchboard.findChild<PrintSelectionWindow*>(QStringLiteral("frmListReceipts"));
    QVERIFY(list && list->isVisible() && !list->isModal());
    list->close();
}

void TestReports::distributionReports_data() {
    // lines: the transaction of each line, in printed order
    // beside: what each caption's line prints after it, as laid out (the balance reports: CR,
    // then DR)
    columns<QString, QString, QStringList, QStringList, QList<QStringList>>(
        "command", "window", "lines", "captions", "beside");
    // Balances of the book below, each a figure of its own so that one in another's place
    // shows: opening 1,260.00, current 1,473.00, statement 1,620.00.
    // The two reports about the bank name it.
    const QStringList bank{"First Counties Bank", "Account No.:", "40-12-77 01234567"};
    addRow("cashbook: the month, bank sides", "cmdCashbookReport", "rptCashbook",
           QStringList{"P1", "R1", "X1"},
           QStringList{"C/B Opening Bal:", "C/B Current Bal:", "Total:", "Bank:"},
           QList<QStringList>{{"$1,260.00"}, {"$1,473.00"}, {"-$1,106.00", "$250.00"}, bank});
    addRow("bank reconciliation: reconciled this month, outstanding of any date",
           "mnuReportsBankReconciliation", "rptBankReconciliation", QStringList{"E1", "P1", "R1"},
           QStringList{"C/B Current Bal:", "Bank Statement Bal:", "Total:", "Bank:"},
           QList<QStringList>{{"$1,473.00"}, {"$1,620.00"}, {"-$147.00", "$250.00"}, bank});
    const QList<QStringList> balanced{{"$1,356.00", "-$1,356.00"}};
    addRow("GL listing: every side, balanced", "cmdGLListing", "rptGLDistributionListing",
           QStringList{"P1", "P1", "P1", "R1", "R1", "X1", "X1"}, QStringList{"Totals:"}, balanced);
    addRow("GL summary: by account and department, balanced", "mnuReportsGLSummary",
           "rptGLDistributionSummary", QStringList{"P1", "R1", "X1", "P1", "P1", "R1", "X1"},
           QStringList{"Total:"}, balanced);
}

void TestReports::distributionReports() {
    const auto [command, window, lines, captions, beside] =
        fetch<QString, QString, QStringList, QStringList, QList<QStringList>>(
            "command", "window", "lines", "captions", "beside");
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblBankDetails SET CurrentMonth = '1', CurrentYear = '2003', "
                            "StartingBankBalance = ?, BankName = 'First Counties Bank', "
                            "BankAccountNumber = '40-12-77 01234567'"),
             {Q_INT64_C(1000) * 10000});
    addEntry(book, "E2", "2002-11-10", "2", 300, -300); // reconciled before the month
    addEntry(book, "E1", "2002-12-20", "1", -40, 40);   // outstanding before the month
    addEntry(book, "P1", "2003-01-05", "1", -107, 100, 7);
    addEntry(book, "R1", "2003-01-08", "2", 250, -250);
    addEntry(book, "X1", "2003-01-09", "4", -999, 999); // void: distributed, never a balance
    addEntry(book, "F1", "2003-02-02", "2", 70, -70);   // after the month
    SwitchboardWindow switchboard(book.services);

    QString shownWindow;
    QStringList printed, painted;
    QList<QStringList> seen;
    onPeriod({}, [&](QDialog* modal) {
        shownWindow = modal->objectName();
        auto* preview = qobject_cast<ReportPreviewWindow*>(modal);
        Report& r = preview->report();
        for (int i = 0; i < r.pageCount(); ++i) {
            for (const QString& text : r.page(i).texts()) {
                if (QRegularExpression(QStringLiteral("^[EPRXF][12]$")).match(text).hasMatch())
                    printed << text;
            }
        }
        // The one page of the report as the preview shows it, and as it reaches paper.
        const ReportPage& page = preview->pageView()->page();
        for (const QString& caption : captions)
            seen << besideCaption(page, caption);
        TextRecorder recorder;
        paintOn(recorder, page, r.layout());
        painted = recorder.texts;
        modal->reject();
    });
    QVERIFY(runCommand(&switchboard, command));
    QCOMPARE(shownWindow, window);
    QCOMPARE(printed, lines);
    QCOMPARE(seen, beside);
    for (const QStringList& texts : beside)
        for (const QString& text : texts)
            QVERIFY2(painted.contains(text), qPrintable(text));
    QVERIFY(book.prompts.verifyAllShown());
}

void TestReports::lookBackAsItWas_data() {
    // replaced: the current month's heading text the look back names the period in (none: the
    // heading is a line of its own); heading: the look back's.
    columns<QString, QString, QString>("command", "replaced", "heading");
    addRow("cashbook", "cmdCashbookReport", "", "January 2003");
    addRow("bank reconciliation, statuses as at today", "mnuReportsBankReconciliation", "",
           "January 2003, statuses as at 2 March 2003");
    addRow("GL listing", "cmdGLListing", "GL Distribution Listing Current Month",
           "GL Distribution Listing January 2003");
    addRow("GL summary", "mnuReportsGLSummary", "GL Distribution Summary Current Month",
           "GL Distribution Summary January 2003");
    addRow("tax analysis", "cmdTaxAnalysis", "January 2003", "January 2003");
}

// A month looked back at after its period end gives the pages it gave while it was current,
// with the period in the heading, and leaves the export's distribution as it was.
void TestReports::lookBackAsItWas() {
    const auto [command, replaced, heading] =
        fetch<QString, QString, QString>("command", "replaced", "heading");
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblBankDetails SET CurrentMonth = '1', CurrentYear = '2003', "
                            "StartingBankBalance = ?"),
             {Q_INT64_C(1000) * 10000});
    addEntry(book, "E2", "2002-11-10", "2", 300, -300);
    addEntry(book, "E1", "2002-12-20", "1", -40, 40);
    addEntry(book, "P1", "2003-01-05", "1", -107, 100, 7);
    addEntry(book, "R1", "2003-01-08", "2", 250, -250);
    addEntry(book, "X1", "2003-01-09", "4", -999, 999);
    book.sql(QStringLiteral("UPDATE tblCashbook SET OffsetGSTTaxCode = 'G' WHERE TransID = 'P1'"));
    SwitchboardWindow switchboard(book.services);
    const QStringList current = runReport(&switchboard, command);
    QVERIFY(current.contains(QStringLiteral("P1")));

    PeriodEnd::advance(book.db);
    book.clock.date = QDate(2003, 3, 2);
    // The next month's work: new transactions, and its lines ready for the export.
    addEntry(book, "F1", "2003-02-02", "2", 70, -70);
    addEntry(book, "F2", "2003-02-03", "1", -20, 20);
    QVERIFY(runReport(&switchboard, QStringLiteral("cmdGLListing")).contains("F2"));
    const auto exportLines = [&book] {
        return book.db
            .scalar(QStringLiteral("SELECT group_concat(TransID || AccountCode || DR || CR) "
                                   "FROM tblGLDistribution"))
            .toString();
    };
    const QString forExport = exportLines();

    QStringList lookedBack = runReport(&switchboard, command, chooseMonth(1, 2003));
    QStringList expected = current;
    expected.replaceInStrings(QStringLiteral("Printed: 15 Jan 03"),
                              QStringLiteral("Printed: 02 Mar 03"));
    if (replaced.isEmpty())
        QVERIFY(lookedBack.removeOne(heading));
    else
        expected.replace(expected.indexOf(replaced), heading);
    QCOMPARE(lookedBack, expected);
    QCOMPARE(exportLines(), forExport);
    QVERIFY(book.prompts.verifyAllShown());
}

void TestReports::lookBackPeriods_data() {
    // lines: the transactions printed, in order; beside: what the balance captions print
    columns<QString, QDate, QDate, QStringList, QStringList>("command", "from", "to", "lines",
                                                             "beside");
    // Starting balance 1,000.00; every transaction below counts but the void X1.
    addRow("cashbook over two months", "cmdCashbookReport", QDate(2002, 12, 15), QDate(2003, 1, 8),
           QStringList{"E1", "E3", "P1", "R1"},
           // opening: 1,000 + 300; closing: that - 40 - 5 - 107 + 250
           QStringList{"$1,300.00", "$1,398.00"});
    addRow("bank reconciliation over two months: outstanding ones written by its end",
           "mnuReportsBankReconciliation", QDate(2002, 12, 15), QDate(2003, 1, 8),
           QStringList{"E1", "E3", "P1", "R1"},
           // C/B balance as above; statement: 1,000 + 300 - 5 + 250 reconciled by the end
           QStringList{"$1,398.00", "$1,545.00"});
    addRow("tax analysis over two months", "cmdTaxAnalysis", QDate(2002, 12, 15), QDate(2003, 1, 8),
           QStringList{"E1", "E3", "P1", "R1"}, QStringList{});
    addRow("an empty month: no lines, the balance carried", "cmdCashbookReport", QDate(2002, 10, 1),
           QDate(2002, 10, 31), QStringList{}, QStringList{"$1,000.00", "$1,000.00"});
}

void TestReports::lookBackPeriods() {
    const auto [command, from, to, lines, beside] =
        fetch<QString, QDate, QDate, QStringList, QStringList>("command", "from", "to", "lines",
                                                               "beside");
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblBankDetails SET CurrentMonth = '2', CurrentYear = '2003', "
                            "StartingBankBalance = ?"),
             {Q_INT64_C(1000) * 10000});
    addEntry(book, "E2", "2002-11-10", "2", 300, -300);
    addEntry(book, "E1", "2002-12-20", "1", -40, 40);
    addEntry(book, "E3", "2002-12-31", "2", -5, 5);
    addEntry(book, "P1", "2003-01-05", "1", -107, 100, 7);
    addEntry(book, "R1", "2003-01-08", "2", 250, -250);
    addEntry(book, "X1", "2003-01-09", "4", -999, 999);
    addEntry(book, "F1", "2003-02-02", "2", 70, -70);
    SwitchboardWindow switchboard(book.services);

    QStringList printed, balances;
    onPeriod(
        from.day() == 1 && to == from.addMonths(1).addDays(-1)
            ? chooseMonth(from.month(), from.year())
            : chooseRange(from, to),
        [&](QDialog* modal) {
            const Report& report = qobject_cast<ReportPreviewWindow*>(modal)->report();
            for (const QString& text : reportTexts(modal))
                if (QRegularExpression(QStringLiteral("^[EPRXF][123]$")).match(text).hasMatch())
                    printed << text;
            const ReportLayout& layout = report.layout();
            for (const char* label :
                 {"lblPreviousBal", "lblCurrentBal", "lblCBCurrentBal", "lblBankStatementBal"})
                if (!layout.label(QString::fromLatin1(label)).isEmpty())
                    balances << layout.label(QString::fromLatin1(label));
            modal->reject();
        });
    QVERIFY(runCommand(&switchboard, command));
    QCOMPARE(printed, lines);
    QCOMPARE(balances, beside);
    QVERIFY(book.prompts.verifyAllShown());
}

// The Cash Position window from the Reports page draws the figures of the last 12 months (or
// the period chosen), saves them as PNG and SVG, and prints them on one page.
void TestReports::cashPositionWindow() {
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblBankDetails SET StartingBankBalance = ?"),
             {Q_INT64_C(1000) * 10000});
    addEntry(book, "E1", "2001-12-20", "2", 300, -300); // before the 12 months
    addEntry(book, "P1", "2002-11-05", "1", -107, 100, 7);
    addEntry(book, "R1", "2002-11-08", "2", 250, -250);
    addEntry(book, "X1", "2002-11-09", "4", -999, 999); // void
    addEntry(book, "R2", "2003-01-15", "2", 40, -40);
    SwitchboardWindow switchboard(book.services);
    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("cash.png"));
    const QString svg = folder.filePath(QStringLiteral("cash.svg"));
    book.fileDialogs.answer(png);
    book.fileDialogs.answer(svg);

    QList<qreal> cashbook, reconciled, in, out;
    QStringList hovered;
    int months = 0, shortDays = 0;
    whenModal([&](QDialog* modal) {
        QCOMPARE(modal->objectName(), QStringLiteral("frmCashPosition"));
        auto* chart = child<CashPositionChart>(modal, QStringLiteral("fraCashPosition"));
        for (const QPointF& point : chart->cashbookSeries()->points())
            cashbook << point.y();
        for (const QPointF& point : chart->reconciledSeries()->points())
            reconciled << point.y();
        const QList<QBarSet*> sets = chart->monthSeries()->barSets();
        for (int i = 0; i < sets.at(0)->count(); ++i) {
            in << sets.at(0)->at(i);
            out << sets.at(1)->at(i);
        }
        months = int(chart->position().months.size());
        // What pointing at a day of the lines and at November's bars shows.
        hovered << chart->dayText(int(QDate(2002, 1, 16).daysTo(QDate(2002, 11, 5))))
                << chart->monthText(10);
        press(modal, "cmdSavePicture");
        press(modal, "cmdSavePicture");
        child<QComboBox>(modal, QStringLiteral("cboPeriod"))->setCurrentIndex(0);
        shortDays = int(chart->cashbookSeries()->count());
        modal->reject();
    });
    QVERIFY(runCommand(&switchboard, QStringLiteral("cmdCashPosition")));
    // 16 January 2002 to 15 January 2003, by day: the balance carried over the days without
    // transactions, the void one never counted.
    QCOMPARE(int(cashbook.size()), 365);
    QCOMPARE(cashbook.first(), 1300.0);
    QCOMPARE(cashbook.at(QDate(2002, 1, 16).daysTo(QDate(2002, 11, 5))), 1193.0);
    QCOMPARE(cashbook.at(QDate(2002, 1, 16).daysTo(QDate(2002, 11, 30))), 1443.0);
    QCOMPARE(cashbook.last(), 1483.0);
    QCOMPARE(reconciled.at(QDate(2002, 1, 16).daysTo(QDate(2002, 11, 7))), 1300.0);
    QCOMPARE(reconciled.last(), 1590.0);
    // Thirteen months, the first and last cut short; November's money in and out.
    QCOMPARE(months, 13);
    QCOMPARE(in.at(10), 250.0);
    QCOMPARE(out.at(10), -107.0);
    QCOMPARE(in.last(), 40.0);
    QCOMPARE(hovered, QStringList({"5 November 2002\nCashbook balance: $1,193.00\nReconciled "
                                   "balance: $1,300.00",
                                   "November 2002\nMoney in: $250.00\nMoney out: $107.00"}));
    QCOMPARE(shortDays, int(QDate(2002, 10, 16).daysTo(QDate(2003, 1, 15))) + 1);

    QImage saved(png);
    QVERIFY(!saved.isNull() && saved.width() > 100);
    QFile drawing(svg);
    QVERIFY(drawing.open(QIODevice::ReadOnly));
    QVERIFY(drawing.readAll().contains("<svg"));

    FakePrinting printing;
    printing.printer = true;
    printing.pdfPath = folder.filePath(QStringLiteral("cash.pdf"));
    CashPositionWindow window(book.services, &printing, nullptr);
    window.show();
    press(window, "cmdPrint");
    QCOMPARE(pdfPages(printing.pdfPath), 1);
    QVERIFY(book.prompts.verifyAllShown());
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
