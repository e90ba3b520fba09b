#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// One thing printed in a band: a text, a field of the row, a sum, a rule or a box. Positions
// are in points from the band's top-left corner inside the page margins.
struct ReportElement {
    enum class Kind { Text, Field, Sum, Rule, Box, PrintedDate, PageNumber };
    enum class Format { Plain, Date, DashDate, Money, YesNo };

    Kind kind = Kind::Text;
    QRectF rect;
    // A Text's text; the caption in front of the printed date.
    QString text;
    // The field a Field shows or a Sum adds up.
    QString field;
    Format format = Format::Plain;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    qreal fontSize = 8;
    bool bold = false;
    bool wrap = false;
    // Never cut short: set smaller when wider than its box. Amounts and sums always are.
    bool whole = false;
    // Otherwise, a size down to which a wide text is set smaller before it is cut short.
    qreal smallest = 0;
    // A long text that wraps in its box and runs on, in the layout's continuation band, to
    // the following pages; its `text` is the mark that ends a part with more to come.
    bool flows = false;
    // A label the launcher fills before the report is shown ("lblCurrentBal").
    QString name;
};

// A band is printed once per occurrence; a band without elements takes no space.
struct ReportBand {
    qreal height = 0;
    QList<ReportElement> elements;
    bool isEmpty() const { return elements.isEmpty() || height <= 0; }
};

// A column of a listing: its heading, the field under it and how it is shown. The columns
// are what the listing's rows are saved as.
struct ReportColumn {
    QString heading;
    QString field;
    ReportElement::Format format = ReportElement::Format::Plain;
};

// A banded report layout: pure data, bound to a row source when it is produced.
struct ReportLayout {
    QString name;  // the window's object name ("rptCashbook")
    QString title; // the preview window's caption
    ReportBand reportHeader;
    ReportBand pageHeader;
    ReportBand groupHeader;
    ReportBand detail;
    ReportBand groupFooter;
    ReportBand pageFooter;
    ReportBand reportFooter;
    // The row source's leading order keys that make the groups, outermost first: the heading
    // each is saved under and the field the group header shows it in; none for no groups.
    QList<ReportColumn> groupColumns;
    // Each detail row on a page of its own (the voucher and receipt forms).
    bool pagePerRow = false;
    // With pagePerRow: the page a row's flowing text runs on to when its box is full.
    ReportBand continuation;
    // The columns the rows are saved as, after the group columns.
    QList<ReportColumn> columns;
    QSizeF pageSize{612, 792}; // US Letter, in points
    qreal margin = 72;         // one inch on every side

    qreal contentWidth() const { return pageSize.width() - 2 * margin; }
    qreal contentHeight() const { return pageSize.height() - 2 * margin; }

    // Sets the text of the label `name` of the report header or footer; false when the
    // layout has no such label.
    bool setLabel(const QString& name, const QString& text);
    QString label(const QString& name) const;
    int groupKeys() const { return int(groupColumns.size()); }
    // The fields the sums add up, each once, in the order the bands name them.
    QStringList summedFields() const;
    // The flowing element of the detail band, or null.
    const ReportElement* flowing() const;
    // Every field the group header, detail and continuation bands show, and the summed ones.
    QStringList fieldsRead() const;
};
