#include "report.h"

#include "data/codes.h"
#include "data/failure.h"
#include "reports/reportfont.h"

namespace {

// The book's rule for codes (SQLite's NOCASE): only the letters A to Z fold.
QChar folded(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + ('a' - 'A')) : c;
}

bool sameCode(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (folded(a.at(i)) != folded(b.at(i)))
            return false;
    }
    return true;
}

// Printed after the outermost group's code when a page goes on with a group.
const QString kContinued = QStringLiteral(" (continued)");

} // namespace

bool Report::sameGroup(const QVariantList& a, const QVariantList& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!sameCode(a.at(i).toString(), b.at(i).toString()) ||
            a.at(i).isNull() != b.at(i).isNull())
            return false;
    }
    return true;
}

namespace {

// A text on one line: a line break or tab of a stored value prints as a space, and a value
// that must stay whole is set in the size at which it fits its box.
void fitLine(const ReportElement& element, PageItem& item) {
    item.text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : item.text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    }
    item.whole = element.whole || element.kind == ReportElement::Kind::Sum ||
                 element.format == ReportElement::Format::Money;
    if (item.whole || element.smallest > 0) {
        const qreal fitting =
            ReportFont::fittingSize(item.text, item.fontSize, item.bold, item.rect.width());
        item.fontSize = item.whole ? fitting : std::max(fitting, element.smallest);
    }
}

} // namespace

// Walks the bands of the report in order over the rows, from a page's start. It reads one
// row ahead when asked whether a row is its group's last, and keeps that row for the next
// step, so a page's start is still only the key of its first row.
class Report::Flow {
public:
    Flow(Report& report, Start start, const QStringList& fields)
        : m_report(report), m_state(std::move(start)), m_fields(fields) {
        if (m_state.step != Step::ReportHeader && !m_state.rowKey.isEmpty()) {
            source().start(m_fields, m_state.rowKey);
            // The rows changed under the report since it was paginated: the page shows
            // whatever now stands from its first key on.
            if (!source().next(m_row))
                m_state.rowKey.clear();
        }
    }

    Step step() const { return m_state.step; }
    const Start& state() const { return m_state; }
    const ReportRow& row() const { return m_row; }
    QVariant value(const QString& field) const {
        return m_row.values.value(m_fields.indexOf(field));
    }
    // Where the next page goes on in the row's flowing text; true when it does.
    bool carry(qsizetype next) {
        m_state.flowed = next;
        return next > 0;
    }

    // Whether the current row is the last of its group.
    bool lastOfGroup() {
        if (!m_peeked) {
            m_aheadExists = source().next(m_ahead);
            m_peeked = true;
        }
        return !m_aheadExists || !sameGroup(groupKeyOf(m_ahead), m_state.groupKey);
    }

    void advance() {
        const bool grouped = m_report.m_layout.groupKeys() > 0;
        switch (m_state.step) {
        case Step::ReportHeader:
            source().start(m_fields, {});
            fetch();
            m_state.step =
                hasRow() ? (grouped ? Step::GroupHeader : Step::Detail) : Step::ReportFooter;
            enterGroup();
            break;
        case Step::GroupHeader:
            std::fill(m_state.groupSums.begin(), m_state.groupSums.end(), Money());
            m_state.step = Step::Detail;
            break;
        case Step::Detail:
            for (size_t i = 0; i < m_state.totalSums.size(); ++i) {
                const QVariant& value = m_row.values.at(qsizetype(i));
                if (value.isNull())
                    continue;
                const Money amount = Money::fromUnits(value.toLongLong());
                m_state.groupSums[i] += amount;
                m_state.totalSums[i] += amount;
            }
            fetch();
            if (!hasRow())
                m_state.step = grouped ? Step::GroupFooter : Step::ReportFooter;
            else if (grouped && !sameGroup(groupKeyOf(m_row), m_state.groupKey))
                m_state.step = Step::GroupFooter;
            break;
        case Step::GroupFooter:
            m_state.step = hasRow() ? Step::GroupHeader : Step::ReportFooter;
            enterGroup();
            break;
        case Step::ReportFooter:
        case Step::Done:
            m_state.step = Step::Done;
            break;
        }
    }

private:
    RowSource& source() { return *m_report.m_source; }
    bool hasRow() const { return !m_state.rowKey.isEmpty(); }
    void fetch() {
        bool found = false;
        if (m_peeked) {
            m_peeked = false;
            found = m_aheadExists;
            if (found)
                std::swap(m_row, m_ahead);
        } else {
            found = source().next(m_row);
        }
        m_state.rowKey = found ? m_row.key : QVariantList();
    }
    // A group is known by its first row's codes: its header and every page that goes on
    // with it print those.
    void enterGroup() {
        if (m_state.step == Step::GroupHeader)
            m_state.groupKey = groupKeyOf(m_row);
    }
    QVariantList groupKeyOf(const ReportRow& row) const {
        return row.key.mid(0, m_report.m_layout.groupKeys());
    }

    Report& m_report;
    Start m_state;
    QStringList m_fields;
    ReportRow m_row;
    ReportRow m_ahead;
    bool m_peeked = false;
    bool m_aheadExists = false;
};

Report::Report(ReportLayout layout, std::unique_ptr<RowSource> source, QDate printed)
    : m_layout(std::move(layout)), m_source(std::move(source)), m_printed(printed) {
    if (m_layout.groupKeys() > m_source->orderKeyCount())
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The report groups on more keys than its rows are "
                                     "ordered by."));
    // The summed fields come first, so a sum's index is its field's index in every read.
    m_sumFields = m_layout.summedFields();
    m_fields = m_sumFields;
    for (const QString& field : m_layout.fieldsRead()) {
        if (!m_fields.contains(field))
            m_fields << field;
    }
    m_pagingFields = m_sumFields;
    if (const ReportElement* flowing = m_layout.flowing())
        m_pagingFields << flowing->field;
}

Report::~Report() = default;

Report::Start Report::firstStart() const {
    Start start;
    start.groupSums.resize(size_t(m_sumFields.size()));
    start.totalSums.resize(size_t(m_sumFields.size()));
    return start;
}

void Report::paginate() {
    m_starts.clear();
    // Only the summed fields and a flowing text are read: the pages' breaks depend on nothing
    // else.
    Flow flow(*this, firstStart(), m_pagingFields);
    do {
        m_starts.push_back(flow.state());
        fillPage(flow, nullptr);
    } while (flow.step() != Step::Done);
}

ReportPage Report::page(int index) {
    if (index < 0 || index >= pageCount())
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("There is no page %1.").arg(index + 1));
    Flow flow(*this, m_starts.at(size_t(index)), m_fields);
    ReportPage page;
    page.number = index + 1;
    fillPage(flow, &page);
    return page;
}

void Report::forEachPage(int first, int last, const std::function<void(const ReportPage&)>& use) {
    if (first < 0 || last >= pageCount() || first > last)
        return;
    Flow flow(*this, m_starts.at(size_t(first)), m_fields);
    for (int index = first; index <= last; ++index) {
        ReportPage page;
        page.number = index + 1;
        fillPage(flow, &page);
        use(page);
    }
}

const ReportBand& Report::bandOf(Step step) const {
    switch (step) {
    case Step::ReportHeader:
        return m_layout.reportHeader;
    case Step::GroupHeader:
        return m_layout.groupHeader;
    case Step::Detail:
        return m_layout.detail;
    case Step::GroupFooter:
        return m_layout.groupFooter;
    case Step::ReportFooter:
        return m_layout.reportFooter;
    case Step::Done:
        break;
    }
    static const ReportBand none;
    return none;
}

qreal Report::heightOf(Step step) const {
    const ReportBand& band = bandOf(step);
    return band.isEmpty() ? 0 : band.height;
}

void Report::fillPage(Flow& flow, ReportPage* page) {
    const qreal footerHeight = m_layout.pageFooter.isEmpty() ? 0 : m_layout.pageFooter.height;
    const qreal bottom = m_layout.contentHeight() - footerHeight;
    const bool grouped = m_layout.groupKeys() > 0;
    qreal y = 0;
    bool placedAny = false;
    auto put = [&](const ReportBand& band, bool continued = false) {
        if (band.isEmpty())
            return;
        if (page)
            place(band, y, flow, *page, continued);
        y += band.height;
    };
    if (flow.step() == Step::ReportHeader) {
        put(m_layout.reportHeader);
        placedAny = y > 0;
        flow.advance();
    }
    put(m_layout.pageHeader);
    // A page that goes on with a group says so under its page header. It places no row, so
    // it does not count as something placed: the page still takes at least one step.
    if (grouped && (flow.step() == Step::Detail || flow.step() == Step::GroupFooter))
        put(m_layout.groupHeader, true);
    while (flow.step() != Step::Done) {
        const Step step = flow.step();
        const qreal height = heightOf(step);
        // A group's header stays with its first row, and its footer with its last row.
        qreal needed = height;
        if (step == Step::GroupHeader)
            needed += heightOf(Step::Detail);
        if ((step == Step::GroupHeader || step == Step::Detail) && grouped && flow.lastOfGroup())
            needed += heightOf(Step::GroupFooter);
        if (height > 0 && placedAny && y + needed > bottom)
            break;
        const ReportBand& band =
            step == Step::Detail && flow.state().flowed > 0 ? m_layout.continuation : bandOf(step);
        put(band);
        placedAny = placedAny || height > 0;
        // A row's flowing text that its page cannot hold goes on on the next page.
        if (step == Step::Detail && m_layout.pagePerRow && flow.carry(flowNext(flow, band)))
            break;
        flow.advance();
        if (step == Step::Detail && m_layout.pagePerRow)
            break;
    }
    // Bands that take no space never start a page of their own.
    while (flow.step() != Step::Done && flow.step() != Step::Detail && heightOf(flow.step()) == 0)
        flow.advance();
    if (page && footerHeight > 0) {
        y = bottom;
        place(m_layout.pageFooter, y, flow, *page, false);
    }
}

void Report::place(const ReportBand& band, qreal top, const Flow& flow, ReportPage& page,
                   bool continued) const {
    const bool groupSums = &band == &m_layout.groupFooter;
    const bool groupHeader = &band == &m_layout.groupHeader;
    for (const ReportElement& element : band.elements) {
        if (element.flows) {
            // One line to an item, from where the earlier pages stopped.
            const FlowPart part =
                flowPart(element, flow.value(element.field).toString(), flow.state().flowed);
            const qreal spacing = ReportFont::lineSpacing(element.fontSize, element.bold);
            QRectF line = element.rect.translated(m_layout.margin, m_layout.margin + top);
            line.setHeight(spacing);
            for (const QString& text : part.lines) {
                PageItem item;
                item.rect = line;
                item.text = text;
                item.fontSize = element.fontSize;
                item.bold = element.bold;
                fitLine(element, item);
                page.items << item;
                line.translate(0, spacing);
            }
            continue;
        }
        PageItem item;
        item.rect = element.rect.translated(m_layout.margin, m_layout.margin + top);
        item.align = element.align;
        item.fontSize = element.fontSize;
        item.bold = element.bold;
        item.wrap = element.wrap;
        switch (element.kind) {
        case ReportElement::Kind::Text:
            item.text = element.text;
            break;
        case ReportElement::Kind::Field: {
            // A group header shows its group's codes, on every page the group reaches.
            qsizetype key = -1;
            if (groupHeader) {
                for (qsizetype i = 0; i < m_layout.groupColumns.size() && key < 0; ++i) {
                    if (m_layout.groupColumns.at(i).field == element.field)
                        key = i;
                }
            }
            const QVariant value = key >= 0
                                       ? flow.state().groupKey.value(key)
                                       : flow.row().values.value(m_fields.indexOf(element.field));
            item.text = formatted(value, element.format);
            if (continued && key == 0)
                item.text += kContinued;
            break;
        }
        case ReportElement::Kind::Sum: {
            const auto& sums = groupSums ? flow.state().groupSums : flow.state().totalSums;
            const qsizetype index = m_sumFields.indexOf(element.field);
            item.text = sums.at(size_t(index)).format(Money::Format::Report);
            break;
        }
        case ReportElement::Kind::Rule:
            item.kind = PageItem::Kind::Line;
            break;
        case ReportElement::Kind::Box:
            item.kind = PageItem::Kind::Box;
            break;
        case ReportElement::Kind::PrintedDate:
            item.text = element.text + QLatin1Char(' ') +
                        formatted(Codes::dateToStored(m_printed), element.format);
            break;
        case ReportElement::Kind::PageNumber:
            item.text = QStringLiteral("Page %1 of %2").arg(page.number).arg(pageCount());
            break;
        }
        if (item.kind == PageItem::Kind::Text && !item.wrap)
            fitLine(element, item);
        page.items << item;
    }
}

Report::FlowPart Report::flowPart(const ReportElement& element, const QString& text,
                                  qsizetype from) const {
    QString rest = text.mid(from);
    while (!rest.isEmpty() && rest.back().isSpace())
        rest.chop(1);
    const qreal spacing = ReportFont::lineSpacing(element.fontSize, element.bold);
    const qsizetype room = std::max<qsizetype>(2, qsizetype(element.rect.height() / spacing));
    const QList<qsizetype> starts =
        ReportFont::lineStarts(rest, element.fontSize, element.bold, element.rect.width());
    // A part with more to come ends with the mark in its last line.
    const qsizetype shown = starts.size() <= room ? starts.size() : room - 1;
    FlowPart part;
    for (qsizetype i = 0; i < shown; ++i) {
        const qsizetype end = i + 1 < starts.size() ? starts.at(i + 1) : rest.size();
        part.lines << rest.mid(starts.at(i), end - starts.at(i)).trimmed();
    }
    if (shown < starts.size()) {
        part.lines << element.text;
        part.next = from + starts.at(shown);
    }
    return part;
}

qsizetype Report::flowNext(const Flow& flow, const ReportBand& band) const {
    for (const ReportElement& element : band.elements) {
        if (element.flows)
            return flowPart(element, flow.value(element.field).toString(), flow.state().flowed)
                .next;
    }
    return 0;
}

QString Report::formatted(const QVariant& value, ReportElement::Format format) {
    if (value.isNull())
        return {};
    switch (format) {
    case ReportElement::Format::Plain:
        break;
    case ReportElement::Format::Date:
    case ReportElement::Format::DashDate: {
        const QDate date = Codes::dateFromStored(value.toString());
        if (!date.isValid())
            break;
        return date.toString(format == ReportElement::Format::Date ? QStringLiteral("dd MMM yy")
                                                                   : QStringLiteral("dd-MMM-yy"));
    }
    case ReportElement::Format::Money:
        return Money::fromUnits(value.toLongLong()).format(Money::Format::Report);
    case ReportElement::Format::YesNo:
        return value.toLongLong() != 0 ? QStringLiteral("Yes") : QStringLiteral("No");
    }
    return value.toString();
}
