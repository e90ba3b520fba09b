#include "reportlayouts.h"

namespace ReportLayouts {

namespace {

using Kind = ReportElement::Kind;
using Format = ReportElement::Format;

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr qreal kWidth = 468; // the page's width inside its margins
constexpr qreal kLine = 12;   // a detail line
// An amount column: the largest amount the book allows ("-$999,999,999,999.99") fits it in
// the report font at 8 points, bold too; a larger sum is set smaller, never cut.
constexpr qreal kAmount = 80;
// A description wider than its column is set down to this size before it is cut short.
constexpr qreal kSmallestDescription = 6.5;

ReportElement text(const QString& text, QRectF rect, Qt::Alignment align = kLeft, qreal size = 8,
                   bool bold = false) {
    ReportElement element;
    element.text = text;
    element.rect = rect;
    element.align = align;
    element.fontSize = size;
    element.bold = bold;
    return element;
}

// A text the launcher fills; it is printed whole, smaller when it is long.
ReportElement label(const QString& name, QRectF rect, bool bold = true,
                    Qt::Alignment align = kRight, qreal size = 8) {
    ReportElement element = text({}, rect, align, size, bold);
    element.name = name;
    element.whole = true;
    return element;
}

ReportElement field(const QString& field, QRectF rect, Format format = Format::Plain,
                    Qt::Alignment align = kLeft) {
    ReportElement element;
    element.kind = Kind::Field;
    element.field = field;
    element.rect = rect;
    element.format = format;
    element.align = align;
    return element;
}

ReportElement sum(const QString& field, QRectF rect) {
    ReportElement element;
    element.kind = Kind::Sum;
    element.field = field;
    element.rect = rect;
    element.align = kRight;
    element.bold = true;
    return element;
}

ReportElement shape(Kind kind, QRectF rect) {
    ReportElement element;
    element.kind = kind;
    element.rect = rect;
    return element;
}

ReportElement rule(qreal x, qreal y, qreal width) {
    return shape(Kind::Rule, QRectF(x, y, width, 0));
}

// A listing column: its heading over its field, at x and width.
struct Column {
    const char* heading;
    const char* field;
    Format format;
    qreal x;
    qreal width;
    Qt::Alignment align;
};

// Puts the headings in the page header from `top` (with a rule under them) and the fields in
// the detail band.
void addColumns(ReportLayout& layout, std::initializer_list<Column> columns, qreal top) {
    for (const Column& column : columns) {
        const QString heading = QString::fromLatin1(column.heading);
        const QString name = QString::fromLatin1(column.field);
        // A heading wider than its column takes a second line.
        ReportElement title =
            text(heading, QRectF(column.x, top, column.width, 20),
                 (column.align & Qt::AlignHorizontal_Mask) | Qt::AlignBottom, 8, true);
        title.wrap = true;
        layout.pageHeader.elements << title;
        layout.detail.elements << field(name, QRectF(column.x, 0, column.width, kLine),
                                        column.format, column.align);
        layout.columns << ReportColumn{heading, name, column.format};
    }
    layout.pageHeader.elements << rule(0, top + 22, kWidth);
    layout.pageHeader.height = top + 26;
    layout.detail.height = kLine;
}

// "Printed:" with the date at the left, "Page N of M" at the right.
void addListingFooter(ReportLayout& layout) {
    ReportElement printed = text(QStringLiteral("Printed:"), QRectF(0, 6, 200, 12));
    printed.kind = Kind::PrintedDate;
    printed.format = Format::Date;
    ReportElement page = text({}, QRectF(kWidth - 200, 6, 200, 12), kRight);
    page.kind = Kind::PageNumber;
    layout.pageFooter.elements << rule(0, 2, kWidth) << printed << page;
    layout.pageFooter.height = 20;
}

// A caption and its sums under amount columns with a rule above them.
ReportBand totals(const QString& caption, std::initializer_list<std::pair<const char*, qreal>> sums,
                  qreal amountWidth) {
    ReportBand band;
    qreal left = kWidth;
    for (const auto& [name, x] : sums) {
        band.elements << sum(QString::fromLatin1(name), QRectF(x, 4, amountWidth, kLine));
        left = std::min(left, x);
    }
    band.elements << text(caption, QRectF(left - 90, 4, 86, kLine), kRight, 8, true)
                  << rule(left, 2, kWidth - left);
    band.height = 22;
    return band;
}

ReportLayout titled(const char* name, const char* title) {
    ReportLayout layout;
    layout.name = QString::fromLatin1(name);
    layout.title = QString::fromLatin1(title);
    return layout;
}

// The eight columns of the cashbook and the bank reconciliation reports. The account and
// department are the bank's on every line and codes are short: set smaller rather than cut,
// they leave the room to the description.
void addLedgerColumns(ReportLayout& layout, qreal top) {
    addColumns(layout,
               {{"Date", "TransDate", Format::Date, 0, 38, kLeft},
                {"Trans ID", "TransID", Format::Plain, 40, 44, kLeft},
                {"Description", "TransDesc", Format::Plain, 86, 124, kLeft},
                {"Account Code", "AccountCode", Format::Plain, 212, 32, kLeft},
                {"Dept Code", "DeptCode", Format::Plain, 246, 30, kLeft},
                {"DR", "DR", Format::Money, 278, kAmount, kRight},
                {"CR", "CR", Format::Money, 360, kAmount, kRight},
                {"Recon Status", "TransStatus", Format::Plain, 442, 26, kCentre}},
               top);
    for (ReportElement& element : layout.detail.elements) {
        if (element.field == QLatin1String("TransDesc"))
            element.smallest = kSmallestDescription;
        else if (element.field != QLatin1String("TransDate"))
            element.whole = true;
    }
}

// The report header (title, caption, balance label) and the report footer (sum of CR, sum
// of DR, "Total:", the rule, caption, balance label) of the two balance reports.
ReportLayout balanceReport(const char* name, const char* title, const char* openingCaption,
                           const char* openingLabel, const char* closingCaption,
                           const char* closingLabel) {
    ReportLayout layout = titled(name, title);
    layout.reportHeader.elements
        << text(layout.title, QRectF(0, 0, 240, 24), kLeft, 14, true)
        << text(QString::fromLatin1(openingCaption), QRectF(250, 6, 120, 14), kRight, 8, true)
        << label(QString::fromLatin1(openingLabel), QRectF(370, 6, 98, 14))
        // The bank the report is about, filled by the launcher.
        << text(QStringLiteral("Bank:"), QRectF(0, 26, 28, 12), kLeft, 8, true)
        << label(QStringLiteral("lblBankName"), QRectF(30, 26, 180, 12), false, kLeft)
        << text(QStringLiteral("Account No.:"), QRectF(214, 26, 56, 12), kLeft, 8, true)
        << label(QStringLiteral("lblBankAccountNumber"), QRectF(272, 26, 150, 12), false, kLeft);
    layout.reportHeader.height = 44;
    addLedgerColumns(layout, 0);
    layout.reportFooter.elements
        << sum(QStringLiteral("CR"), QRectF(360, 4, kAmount, kLine))
        << sum(QStringLiteral("DR"), QRectF(278, 4, kAmount, kLine))
        << text(QStringLiteral("Total:"), QRectF(188, 4, 86, kLine), kRight, 8, true)
        << rule(278, 2, 2 * kAmount + 2)
        << text(QString::fromLatin1(closingCaption), QRectF(200, 24, 170, 14), kRight, 8, true)
        << label(QString::fromLatin1(closingLabel), QRectF(370, 24, 98, 14));
    layout.reportFooter.height = 42;
    addListingFooter(layout);
    return layout;
}

// What tells the payment voucher from the official receipt.
struct FormKind {
    const char* name;
    const char* title;
    const char* heading;
    const char* idCaption;
    const char* idField;
    const char* nameCaption;
    const char* nameField;
};

// The forms print every character a field may hold: a line that is too long for its place is
// set smaller, and the detailed comments wrap in their box and, when longer, run on to the
// following pages.
ReportLayout form(const FormKind& kind) {
    ReportLayout layout = titled(kind.name, kind.title);
    layout.pagePerRow = true;
    auto& e = layout.detail.elements;
    auto caption = [&](const char* words, QRectF rect) {
        e << text(QString::fromLatin1(words), rect, kLeft, 9, true);
    };
    auto value = [&](const char* name, QRectF rect, Format format = Format::Plain,
                     Qt::Alignment align = kLeft) {
        ReportElement element = field(QString::fromLatin1(name), rect, format, align);
        element.fontSize = 9;
        element.whole = true;
        e << element;
    };
    const QString heading = QString::fromLatin1(kind.heading);
    e << text(heading, QRectF(0, 0, 200, 24), kLeft, 16, true);

    // The issuer at the top right, filled by the launcher.
    e << label(QStringLiteral("lblCompanyName"), QRectF(204, 0, 264, 16), true, kRight, 11);
    for (int line = 1; line <= 3; ++line)
        e << label(QStringLiteral("lblCompanyAddress%1").arg(line),
                   QRectF(204, 4 + 12 * line, 264, 12), false, kRight, 9);

    // The party and its address; the fourth line and the postal code run under the box.
    caption(kind.idCaption, QRectF(0, 64, 80, 14));
    value(kind.idField, QRectF(84, 64, 166, 14));
    caption(kind.nameCaption, QRectF(0, 82, 80, 14));
    value(kind.nameField, QRectF(84, 82, 166, 14));
    caption("Address", QRectF(0, 100, 80, 14));
    value("Address1", QRectF(84, 100, 166, 14));
    value("Address2", QRectF(84, 114, 166, 14));
    value("Address3", QRectF(84, 128, 166, 14));
    value("Address4", QRectF(84, 142, 166, 14));
    value("PostalCode", QRectF(254, 142, 120, 14));

    // Type, number and date in a box.
    e << shape(Kind::Box, QRectF(256, 60, 212, 62));
    caption("Type", QRectF(262, 64, 108, 14));
    value("TransType", QRectF(374, 64, 90, 14));
    caption("Voucher / Cheque No.", QRectF(262, 82, 108, 14));
    value("TransID", QRectF(374, 82, 90, 14));
    caption("Date", QRectF(262, 100, 108, 14));
    value("TransDate", QRectF(374, 100, 90, 14), Format::Date);

    // Description, comments and account at the left, the amounts at the right, in boxes.
    e << shape(Kind::Box, QRectF(0, 166, 300, 40));
    caption("Description", QRectF(6, 168, 200, 14));
    value("TransDesc", QRectF(6, 186, 288, 16));
    e << shape(Kind::Box, QRectF(0, 212, 300, 110));
    caption("Detailed Comments", QRectF(6, 214, 200, 14));
    const QString continued = QStringLiteral("(continued on the next page)");
    ReportElement memo = field(QStringLiteral("TransDescMemo"), QRectF(6, 230, 288, 88));
    memo.align = Qt::AlignLeft | Qt::AlignTop;
    memo.fontSize = 9;
    memo.flows = true;
    memo.whole = true;
    memo.text = continued;
    e << memo;
    e << shape(Kind::Box, QRectF(0, 328, 300, 40));
    caption("GL A/c", QRectF(6, 330, 60, 14));
    value("OffsetGLAccountCode", QRectF(6, 348, 40, 16));
    value("OffsetGLDeptCode", QRectF(50, 348, 44, 16));
    value("OffsetGLAccountDesc", QRectF(98, 348, 196, 16));

    e << shape(Kind::Box, QRectF(310, 166, 158, 202));
    e << text(QStringLiteral("AMOUNT"), QRectF(310, 168, 158, 16), kCentre, 10, true);
    e << rule(310, 186, 158);
    caption("Base Amount", QRectF(316, 192, 146, 14));
    value("OffsetAmount", QRectF(316, 208, 146, 16), Format::Money, kRight);
    e << rule(310, 230, 158);
    caption("GST Code", QRectF(316, 236, 70, 14));
    value("OffsetGSTTaxCode", QRectF(316, 252, 46, 16));
    value("OffsetGSTAmount", QRectF(366, 252, 96, 16), Format::Money, kRight);
    e << rule(310, 274, 158);
    caption("Total", QRectF(316, 280, 146, 14));
    ReportElement total = field(QStringLiteral("BankAccountAmount"), QRectF(316, 296, 146, 16),
                                Format::Money, kRight);
    total.bold = true;
    total.fontSize = 10;
    e << total;
    layout.detail.height = layout.contentHeight();

    // The pages the comments run on to: which form and number they belong to, and the rest.
    auto& c = layout.continuation.elements;
    c << text(heading, QRectF(0, 0, 200, 24), kLeft, 16, true)
      << text(QStringLiteral("Voucher / Cheque No."), QRectF(256, 4, 108, 14), kLeft, 9, true);
    ReportElement number = field(QStringLiteral("TransID"), QRectF(368, 4, 100, 14));
    number.fontSize = 9;
    number.whole = true;
    c << number
      << text(QStringLiteral("Detailed Comments (continued)"), QRectF(0, 36, 300, 14), kLeft, 9,
              true);
    memo.rect = QRectF(0, 54, kWidth, layout.contentHeight() - 54);
    c << memo;
    layout.continuation.height = layout.contentHeight();
    return layout;
}

void signature(ReportLayout& layout, const char* words, qreal x, qreal y) {
    layout.detail.elements << text(QString::fromLatin1(words), QRectF(x, y, 200, 14), kLeft, 9,
                                   true)
                           << rule(x, y + 44, 200);
}

} // namespace

ReportLayout allTransactions() {
    ReportLayout layout = titled("rptAllTransactions", "All Transactions");
    layout.reportHeader.elements << text(layout.title, QRectF(0, 0, kWidth, 24), kLeft, 14, true);
    layout.reportHeader.height = 30;
    addColumns(layout,
               {{"Date", "TransDate", Format::Date, 0, 46, kLeft},
                {"Trans ID", "TransID", Format::Plain, 48, 50, kLeft},
                {"Description", "TransDesc", Format::Plain, 100, 146, kLeft},
                {"Vendor", "VendorID", Format::Plain, 248, 42, kLeft},
                {"Customer", "CustID", Format::Plain, 292, 44, kLeft},
                {"Bank Amount", "DoubleEntryBank", Format::Money, 338, kAmount, kRight},
                {"Rec Status", "TransStatus", Format::Plain, 420, 48, kCentre}},
               0);
    addListingFooter(layout);
    return layout;
}

ReportLayout taxAnalysis() {
    ReportLayout layout = titled("rptTaxAnalysis", "Tax Analysis");
    layout.groupColumns = {{QStringLiteral("Tax Code"), QStringLiteral("OffsetGSTTaxCode")}};
    // The month the report covers, filled by its launcher.
    layout.reportHeader.elements << label(QStringLiteral("lblPeriod"), QRectF(0, 0, kWidth, 14),
                                          false);
    layout.reportHeader.elements.last().align = kLeft;
    layout.reportHeader.height = 18;
    layout.pageHeader.elements << text(QStringLiteral("TAX ANALYSIS"), QRectF(0, 0, kWidth, 20),
                                       kLeft, 12, true);
    addColumns(layout,
               {{"Date", "TransDate", Format::Date, 0, 60, kLeft},
                {"Transaction ID", "TransID", Format::Plain, 64, 90, kLeft},
                {"Base Amount", "OffsetAmount", Format::Money, 160, 100, kRight},
                {"Tax Amount", "OffsetGSTAmount", Format::Money, 264, 100, kRight},
                {"Total Amount", "BankAccountAmount", Format::Money, 368, 100, kRight}},
               24);
    layout.groupHeader.elements << text(QStringLiteral("Tax Code:"), QRectF(0, 4, 60, 14), kLeft, 9,
                                        true)
                                << field(QStringLiteral("OffsetGSTTaxCode"),
                                         QRectF(64, 4, 120, 14));
    layout.groupHeader.elements.last().bold = true;
    layout.groupHeader.height = 20;
    const std::initializer_list<std::pair<const char*, qreal>> amounts = {
        {"OffsetAmount", 160}, {"OffsetGSTAmount", 264}, {"BankAccountAmount", 368}};
    layout.groupFooter = totals(QStringLiteral("Sub-total:"), amounts, 100);
    layout.reportFooter = totals(QStringLiteral("Total:"), amounts, 100);
    addListingFooter(layout);
    return layout;
}

ReportLayout glDistributionListing() {
    ReportLayout layout =
        titled("rptGLDistributionListing", "GL Distribution Listing Current Month");
    layout.pageHeader.elements << text(layout.title, QRectF(0, 0, kWidth, 20), kLeft, 12, true);
    addColumns(layout,
               {{"Date", "TransDate", Format::DashDate, 0, 40, kLeft},
                {"Trans ID", "TransID", Format::Plain, 42, 46, kLeft},
                {"Description", "TransDesc", Format::Plain, 90, 106, kLeft},
                {"Account Code", "AccountCode", Format::Plain, 198, 38, kLeft},
                {"Dept Code", "DeptCode", Format::Plain, 238, 34, kLeft},
                {"DR", "DR", Format::Money, 274, kAmount, kRight},
                {"CR", "CR", Format::Money, 356, kAmount, kRight},
                {"Export to A+", "ExportedToAccpac", Format::YesNo, 438, 30, kCentre}},
               24);
    layout.reportFooter = totals(QStringLiteral("Totals:"), {{"DR", 274}, {"CR", 356}}, kAmount);
    addListingFooter(layout);
    return layout;
}

ReportLayout glDistributionSummary() {
    ReportLayout layout =
        titled("rptGLDistributionSummary", "GL Distribution Summary Current Month");
    layout.groupColumns = {{QStringLiteral("Account Code"), QStringLiteral("AccountCode")},
                           {QStringLiteral("Dept Code"), QStringLiteral("DeptCode")}};
    layout.pageHeader.elements << text(layout.title, QRectF(0, 0, kWidth, 20), kLeft, 12, true);
    addColumns(layout,
               {{"Date", "TransDate", Format::Date, 0, 50, kLeft},
                {"Trans ID", "TransID", Format::Plain, 52, 62, kLeft},
                {"Description", "TransDesc", Format::Plain, 116, 186, kLeft},
                {"DR", "DR", Format::Money, 306, kAmount, kRight},
                {"CR", "CR", Format::Money, 388, kAmount, kRight}},
               24);
    layout.groupHeader.elements << text(QStringLiteral("Account Code:"), QRectF(0, 4, 84, 14),
                                        kLeft, 9, true)
                                << field(QStringLiteral("AccountCode"), QRectF(86, 4, 80, 14))
                                << text(QStringLiteral("Dept Code:"), QRectF(180, 4, 70, 14), kLeft,
                                        9, true)
                                << field(QStringLiteral("DeptCode"), QRectF(252, 4, 80, 14));
    layout.groupHeader.height = 20;
    layout.groupFooter = totals(QStringLiteral("Sub-total:"), {{"DR", 306}, {"CR", 388}}, kAmount);
    layout.reportFooter = totals(QStringLiteral("Total:"), {{"DR", 306}, {"CR", 388}}, kAmount);
    addListingFooter(layout);
    return layout;
}

ReportLayout cashbook() {
    return balanceReport("rptCashbook", "Cashbook", "C/B Opening Bal:", "lblPreviousBal",
                         "C/B Current Bal:", "lblCurrentBal");
}

ReportLayout bankReconciliation() {
    return balanceReport("rptBankReconciliation", "Bank Reconciliation",
                         "C/B Current Bal:", "lblCBCurrentBal",
                         "Bank Statement Bal:", "lblBankStatementBal");
}

ReportLayout paymentVoucher() {
    ReportLayout layout = form({"rptPaymentVouchers", "Payment Voucher", "PAYMENT VOUCHER",
                                "Vendor ID", "VendorID", "Vendor Name", "VendorName"});
    signature(layout, "Payment Approved by:", 0, 416);
    signature(layout, "Payment Received by:", 268, 416);
    return layout;
}

ReportLayout receipt() {
    ReportLayout layout = form({"rptReceipts", "Receipts", "OFFICIAL RECEIPT", "Customer ID",
                                "CustID", "Customer Name", "CustomerName"});
    signature(layout, "Received by:", 268, 416);
    return layout;
}

void namePeriod(ReportLayout& layout, const QString& period) {
    const QString current = QStringLiteral(" Current Month");
    if (layout.title.endsWith(current)) {
        const QString title = layout.title;
        layout.title.chop(current.size());
        layout.title += QLatin1Char(' ') + period;
        for (ReportBand* band : {&layout.reportHeader, &layout.pageHeader})
            for (ReportElement& element : band->elements)
                if (element.kind == Kind::Text && element.text == title)
                    element.text = layout.title;
        return;
    }
    if (layout.setLabel(QStringLiteral("lblPeriod"), period))
        return;
    ReportElement line =
        text(period, QRectF(0, layout.reportHeader.height, kWidth, 14), kLeft, 9, true);
    line.whole = true;
    layout.reportHeader.elements << line;
    layout.reportHeader.height += 18;
}

} // namespace ReportLayouts
