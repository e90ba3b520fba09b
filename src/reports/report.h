#pragma once

#include "data/money.h"
#include "reports/reportlayout.h"
#include "reports/reportpage.h"
#include "reports/rowsource.h"

#include <QDate>
#include <QList>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

// A layout bound to its rows. paginate() reads the rows once and keeps, for each page, only
// where it starts (the step it starts with, the first row's key and the running group and
// report sums); page() lays out one page on demand by reading from that start.
class Report {
public:
    Report(ReportLayout layout, std::unique_ptr<RowSource> source, QDate printed);
    ~Report();

    // Works out the pages. Throws Failure (a database error, an overflowing sum).
    void paginate();
    int pageCount() const { return int(m_starts.size()); }
    // Page `index` (from 0) laid out, with "Page N of M". Throws Failure.
    ReportPage page(int index);
    // Pages `first` to `last` (from 0) laid out in turn from one read of the rows, for printing
    // and saving every page. Throws Failure.
    void forEachPage(int first, int last, const std::function<void(const ReportPage&)>& use);

    const ReportLayout& layout() const { return m_layout; }
    RowSource& source() { return *m_source; }
    QDate printed() const { return m_printed; }

    // The text of a stored value in a display format.
    static QString formatted(const QVariant& value, ReportElement::Format format);
    // Whether two group keys name one group: codes compared as the book compares them, as
    // text with the letters A to Z folded to lower case (SQLite's NOCASE).
    static bool sameGroup(const QVariantList& a, const QVariantList& b);

    enum class Step { ReportHeader, GroupHeader, Detail, GroupFooter, ReportFooter, Done };
    // Everything a page needs to start.
    struct Start {
        Step step = Step::ReportHeader;
        QVariantList rowKey;
        QVariantList groupKey;
        std::vector<Money> groupSums;
        std::vector<Money> totalSums;
        // How much of the row's flowing text earlier pages printed (a form's comments).
        qsizetype flowed = 0;
    };

private:
    class Flow;
    Start firstStart() const;
    void fillPage(Flow& flow, ReportPage* page);
    void place(const ReportBand& band, qreal top, const Flow& flow, ReportPage& page,
               bool continued) const;
    qreal heightOf(Step step) const;
    const ReportBand& bandOf(Step step) const;
    // The part of a flowing text from `from` that its element holds: the lines, the mark when
    // more is to come, and where the next page goes on (0 when nothing is left).
    struct FlowPart {
        QStringList lines;
        qsizetype next = 0;
    };
    FlowPart flowPart(const ReportElement& element, const QString& text, qsizetype from) const;
    qsizetype flowNext(const Flow& flow, const ReportBand& band) const;

    ReportLayout m_layout;
    std::unique_ptr<RowSource> m_source;
    QDate m_printed;
    QStringList m_sumFields;
    // The summed fields first, then the fields the bands show.
    QStringList m_fields;
    // What pagination reads: the summed fields, then the flowing one.
    QStringList m_pagingFields;
    std::vector<Start> m_starts;
};
