#include "reportpainter.h"

#include "data/failure.h"
#include "reports/report.h"
#include "reports/reportfont.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <map>
#include <utility>

namespace ReportPainter {

namespace {

// The fonts of a page, made once per size and weight: a page has hundreds of texts in two or
// three fonts.
class Fonts {
public:
    Fonts(const QPaintDevice* device) : m_device(device) {}

    const std::pair<QFont, QFontMetricsF>& of(qreal size, bool bold) {
        const int key = int(size * 4) * 2 + (bold ? 1 : 0);
        auto found = m_fonts.find(key);
        if (found == m_fonts.end()) {
            // Sizes are in points of the paper: the font's point size is turned into the
            // device's units before the painter's scale applies.
            const QFont font = ReportFont::font(size, bold, m_device);
            found = m_fonts.emplace(key, std::make_pair(font, QFontMetricsF(font, m_device))).first;
        }
        return found->second;
    }

private:
    const QPaintDevice* m_device;
    std::map<int, std::pair<QFont, QFontMetricsF>> m_fonts;
};

// One line of text placed by its alignment in its box; drawn at a point, which is far cheaper
// than laying it out in a rectangle. A text wider than its box is cut short with an ellipsis,
// except one that must stay whole, which the layout has already sized to fit.
void drawLine(QPainter& painter, const PageItem& item, Fonts& fonts) {
    constexpr qreal k = ReportFont::kMagnification;
    QString text = item.text;
    const auto& [font, metrics] = fonts.of(item.fontSize, item.bold);
    qreal width = metrics.horizontalAdvance(text) / k;
    if (width > item.rect.width() && !item.whole) {
        text = metrics.elidedText(text, Qt::ElideRight, item.rect.width() * k);
        width = metrics.horizontalAdvance(text) / k;
    }
    qreal x = item.rect.left();
    if (item.align & Qt::AlignRight)
        x = item.rect.right() - width;
    else if (item.align & Qt::AlignHCenter)
        x = item.rect.left() + (item.rect.width() - width) / 2;
    const qreal ascent = metrics.ascent() / k;
    const qreal descent = metrics.descent() / k;
    qreal y = item.rect.top() + (item.rect.height() + ascent - descent) / 2;
    if (item.align & Qt::AlignTop)
        y = item.rect.top() + ascent;
    else if (item.align & Qt::AlignBottom)
        y = item.rect.bottom() - descent;
    painter.save();
    painter.translate(x, y);
    painter.scale(1 / k, 1 / k);
    painter.setFont(font);
    painter.drawText(QPointF(), text);
    painter.restore();
}

// A heading that may take more than one line, broken at its words.
void drawWrapped(QPainter& painter, const PageItem& item, Fonts& fonts) {
    constexpr qreal k = ReportFont::kMagnification;
    painter.save();
    painter.translate(item.rect.topLeft());
    painter.scale(1 / k, 1 / k);
    painter.setFont(fonts.of(item.fontSize, item.bold).first);
    painter.drawText(QRectF(QPointF(), item.rect.size() * k), int(item.align) | Qt::TextWordWrap,
                     item.text);
    painter.restore();
}

} // namespace

void paint(QPainter& painter, const ReportPage& page, QSizeF paper, const QRectF& target) {
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / paper.width(), target.height() / paper.height());
    QPen pen(Qt::black);
    pen.setWidthF(0.5);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    Fonts fonts(painter.device());
    for (const PageItem& item : page.items) {
        switch (item.kind) {
        case PageItem::Kind::Line:
            painter.drawLine(item.rect.topLeft(), item.rect.topRight());
            break;
        case PageItem::Kind::Box:
            painter.drawRect(item.rect);
            break;
        case PageItem::Kind::Text: {
            if (item.text.isEmpty())
                break;
            if (item.wrap)
                drawWrapped(painter, item, fonts);
            else
                drawLine(painter, item, fonts);
            break;
        }
        }
    }
    painter.restore();
}

QRectF onPaper(QSizeF page, qreal margin, const QRectF& paper, qreal dotsPerPoint) {
    const QSizeF printed(page.width() - 2 * margin, page.height() - 2 * margin);
    qreal scale = dotsPerPoint;
    if (printed.width() * scale > paper.width() || printed.height() * scale > paper.height())
        scale = std::min(paper.width() / printed.width(), paper.height() / printed.height());
    const QSizeF size = page * scale;
    return QRectF(paper.center() - QPointF(size.width(), size.height()) / 2, size);
}

void paintPages(QPainter& painter, QPagedPaintDevice& device, Report& report, int first, int last) {
    const ReportLayout& layout = report.layout();
    const qreal dpi = device.logicalDpiX();
    const QRectF target =
        onPaper(layout.pageSize, layout.margin,
                QRectF(QPointF(), device.pageLayout().fullRectPixels(int(dpi)).size()), dpi / 72.0);
    report.forEachPage(first, last, [&](const ReportPage& page) {
        if (page.number > first + 1)
            device.newPage();
        paint(painter, page, layout.pageSize, target);
    });
}

void writePdf(Report& report, const QString& path) {
    QPdfWriter writer(path);
    const QSizeF paper = report.layout().pageSize;
    writer.setPageSize(QPageSize(paper, QPageSize::Point));
    writer.setPageMargins(QMarginsF());
    writer.setResolution(300);
    writer.setTitle(report.layout().title);
    writer.setCreator(QStringLiteral("Quillan"));
    QPainter painter;
    if (!painter.begin(&writer))
        throw Failure(ErrorNumber::PathFileAccessError,
                      QStringLiteral("Path/File access error: %1").arg(path));
    paintPages(painter, writer, report, 0, report.pageCount() - 1);
    painter.end();
}

} // namespace ReportPainter
