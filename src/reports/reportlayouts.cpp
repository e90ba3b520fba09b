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

ReportElement label(const QString& name, QRectF rect, bool bold = true) {
    ReportElement element = text({}, rect, kRight, 8, bold);
    element.name = name;
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

// The eight columns of the cashbook and the bank reconciliation reports.
void addLedgerColumns(ReportLayout& layout, qreal top) {
    addColumns(layout,
               {{"Date", "TransDate", Format::Date, 0, 44, kLeft},
                {"Trans ID", "TransID", Format::Plain, 46, 48, kLeft},
                {"Description", "TransDesc", Format::Plain, 96, 100, kLeft},
                {"Account Code", "AccountCode", Format::Plain, 198, 50, kLeft},
                {"Dept Code", "DeptCode", Format::Plain, 250, 40, kLeft},
                {"DR", "DR", Format::Money, 292, 60, kRight},
                {"CR", "CR", Format::Money, 354, 60, kRight},
                {"Recon Status", "TransStatus", Format::Plain, 416, 52, kCentre}},
               top);
}

// The report header (title, caption, balance label) and the report footer (sum of CR, sum
// of DR, "Total:", the rule, caption, balance label) of the two balance reports.
ReportLayout balanceReport(const char* name, const char* title, const char* openingCaption,
                           const char* openingLabel, const char* closingCaption,
                           const char* closingLabel) {
    ReportLayout layout = titled(name, title);
    layout.reportHeader.elements << text(layout.title, QRectF(0, 0, 240, 24), kLeft, 14, true)
                                 << text(QString::fromLatin1(openingCaption),
                                         QRectF(250, 6, 120, 14), kRight, 8, true)
                                 << label(QString::fromLatin1(openingLabel),
                                          QRectF(370, 6, 98, 14));
    layout.reportHeader.height = 30;
    addLedgerColumns(layout, 0);
    layout.reportFooter.elements
        << sum(QStringLiteral("CR"), QRectF(354, 4, 60, kLine))
        << sum(QStringLiteral("DR"), QRectF(292, 4, 60, kLine))
        << text(QStringLiteral("Total:"), QRectF(202, 4, 86, kLine), kRight, 8, true)
        << rule(292, 2, 122)
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
        e << element;
    };
    e << text(QString::fromLatin1(kind.heading), QRectF(0, 0, 280, 24), kLeft, 16, true);

    // The party and its address.
    caption(kind.idCaption, QRectF(0, 40, 90, 14));
    value(kind.idField, QRectF(95, 40, 150, 14));
    caption(kind.nameCaption, QRectF(0, 58, 90, 14));
    value(kind.nameField, QRectF(95, 58, 150, 14));
    caption("Address", QRectF(0, 76, 90, 14));
    value("Address1", QRectF(95, 76, 150, 14));
    value("Address2", QRectF(95, 90, 150, 14));
    value("Address3", QRectF(95, 104, 150, 14));
    value("Address4", QRectF(95, 118, 100, 14));
    value("PostalCode", QRectF(198, 118, 50, 14));

    // Type, number and date in a box.
    e << shape(Kind::Box, QRectF(250, 36, 218, 62));
    caption("Type", QRectF(256, 40, 112, 14));
    value("TransType", QRectF(372, 40, 92, 14));
    caption("Voucher / Cheque No.", QRectF(256, 58, 112, 14));
    value("TransID", QRectF(372, 58, 92, 14));
    caption("Date", QRectF(256, 76, 112, 14));
    value("TransDate", QRectF(372, 76, 92, 14), Format::Date);

    // Description, comments and account at the left, the amounts at the right, in boxes.
    e << shape(Kind::Box, QRectF(0, 150, 300, 40));
    caption("Description", QRectF(6, 152, 200, 14));
    value("TransDesc", QRectF(6, 170, 288, 16));
    e << shape(Kind::Box, QRectF(0, 196, 300, 110));
    caption("Detailed Comments", QRectF(6, 198, 200, 14));
    ReportElement memo = field(QStringLiteral("TransDescMemo"), QRectF(6, 214, 288, 88));
    memo.align = Qt::AlignLeft | Qt::AlignTop;
    memo.wrap = true;
    memo.fontSize = 9;
    e << memo;
    e << shape(Kind::Box, QRectF(0, 312, 300, 40));
    caption("GL A/c", QRectF(6, 314, 60, 14));
    value("OffsetGLAccountCode", QRectF(6, 332, 60, 16));
    value("OffsetGLDeptCode", QRectF(70, 332, 60, 16));
    value("OffsetGLAccountDesc", QRectF(134, 332, 160, 16));

    e << shape(Kind::Box, QRectF(310, 150, 158, 202));
    e << text(QStringLiteral("AMOUNT"), QRectF(310, 152, 158, 16), kCentre, 10, true);
    e << rule(310, 170, 158);
    caption("Base Amount", QRectF(316, 176, 146, 14));
    value("OffsetAmount", QRectF(316, 192, 146, 16), Format::Money, kRight);
    e << rule(310, 214, 158);
    caption("GST Code", QRectF(316, 220, 70, 14));
    value("OffsetGSTTaxCode", QRectF(316, 236, 50, 16));
    value("OffsetGSTAmount", QRectF(366, 236, 96, 16), Format::Money, kRight);
    e << rule(310, 258, 158);
    caption("Total", QRectF(316, 264, 146, 14));
    ReportElement total = field(QStringLiteral("BankAccountAmount"), QRectF(316, 280, 146, 16),
                                Format::Money, kRight);
    total.bold = true;
    total.fontSize = 10;
    e << total;
    layout.detail.height = layout.contentHeight();
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
                {"Trans ID", "TransID", Format::Plain, 48, 54, kLeft},
                {"Description", "TransDesc", Format::Plain, 104, 150, kLeft},
                {"Vendor", "VendorID", Format::Plain, 256, 50, kLeft},
                {"Customer", "CustID", Format::Plain, 308, 50, kLeft},
                {"Bank Amount", "DoubleEntryBank", Format::Money, 360, 66, kRight},
                {"Rec Status", "TransStatus", Format::Plain, 428, 40, kCentre}},
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
               {{"Date", "TransDate", Format::DashDate, 0, 46, kLeft},
                {"Trans ID", "TransID", Format::Plain, 48, 50, kLeft},
                {"Description", "TransDesc", Format::Plain, 100, 110, kLeft},
                {"Account Code", "AccountCode", Format::Plain, 212, 50, kLeft},
                {"Dept Code", "DeptCode", Format::Plain, 264, 40, kLeft},
                {"DR", "DR", Format::Money, 306, 60, kRight},
                {"CR", "CR", Format::Money, 368, 60, kRight},
                {"Export to A+", "ExportedToAccpac", Format::YesNo, 430, 38, kCentre}},
               24);
    layout.reportFooter = totals(QStringLiteral("Totals:"), {{"DR", 306}, {"CR", 368}}, 60);
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
               {{"Date", "TransDate", Format::Date, 0, 60, kLeft},
                {"Trans ID", "TransID", Format::Plain, 64, 70, kLeft},
                {"Description", "TransDesc", Format::Plain, 138, 180, kLeft},
                {"DR", "DR", Format::Money, 322, 72, kRight},
                {"CR", "CR", Format::Money, 396, 72, kRight}},
               24);
    layout.groupHeader.elements << text(QStringLiteral("Account Code:"), QRectF(0, 4, 84, 14),
                                        kLeft, 9, true)
                                << field(QStringLiteral("AccountCode"), QRectF(86, 4, 80, 14))
                                << text(QStringLiteral("Dept Code:"), QRectF(180, 4, 70, 14), kLeft,
                                        9, true)
                                << field(QStringLiteral("DeptCode"), QRectF(252, 4, 80, 14));
    layout.groupHeader.height = 20;
    layout.groupFooter = totals(QStringLiteral("Sub-total:"), {{"DR", 322}, {"CR", 396}}, 72);
    layout.reportFooter = totals(QStringLiteral("Total:"), {{"DR", 322}, {"CR", 396}}, 72);
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
    signature(layout, "Payment Approved by:", 0, 400);
    signature(layout, "Payment Received by:", 268, 400);
    return layout;
}

ReportLayout receipt() {
    ReportLayout layout = form({"rptReceipts", "Receipts", "OFFICIAL RECEIPT", "Customer ID",
                                "CustID", "Customer Name", "CustomerName"});
    signature(layout, "Received by:", 268, 400);
    return layout;
}

} // namespace ReportLayouts
