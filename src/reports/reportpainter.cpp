#include "reportpainter.h"

#include "data/failure.h"
#include "reports/report.h"

#include <QFont>
#include <QFontMetricsF>
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
    Fonts(const QPaintDevice* device)
        : m_device(device), m_dpi(device ? device->logicalDpiY() : 72) {}

    const std::pair<QFont, QFontMetricsF>& of(const PageItem& item) {
        const int key = int(item.fontSize * 4) * 2 + (item.bold ? 1 : 0);
        auto found = m_fonts.find(key);
        if (found == m_fonts.end()) {
            QFont font(QStringLiteral("Helvetica"));
            // Sizes are in points of the paper: the font's point size is turned into the
            // device's units before the painter's scale applies.
            font.setPointSizeF(item.fontSize * 72.0 / m_dpi);
            font.setBold(item.bold);
            found = m_fonts.emplace(key, std::make_pair(font, QFontMetricsF(font, m_device))).first;
        }
        return found->second;
    }

private:
    const QPaintDevice* m_device;
    qreal m_dpi;
    std::map<int, std::pair<QFont, QFontMetricsF>> m_fonts;
};

// One line of text placed by its alignment in its box, cut short with an ellipsis when it is
// wider; drawn at a point, which is far cheaper than laying it out in a rectangle.
void drawLine(QPainter& painter, const PageItem& item, const QFontMetricsF& metrics) {
    QString text = item.text;
    qreal width = metrics.horizontalAdvance(text);
    if (width > item.rect.width()) {
        text = metrics.elidedText(text, Qt::ElideRight, item.rect.width());
        width = metrics.horizontalAdvance(text);
    }
    qreal x = item.rect.left();
    if (item.align & Qt::AlignRight)
        x = item.rect.right() - width;
    else if (item.align & Qt::AlignHCenter)
        x = item.rect.left() + (item.rect.width() - width) / 2;
    qreal y = item.rect.top() + (item.rect.height() + metrics.ascent() - metrics.descent()) / 2;
    if (item.align & Qt::AlignTop)
        y = item.rect.top() + metrics.ascent();
    else if (item.align & Qt::AlignBottom)
        y = item.rect.bottom() - metrics.descent();
    painter.drawText(QPointF(x, y), text);
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
            const auto& [font, metrics] = fonts.of(item);
            painter.setFont(font);
            if (item.wrap)
                painter.drawText(item.rect, int(item.align) | Qt::TextWordWrap, item.text);
            else
                drawLine(painter, item, metrics);
            break;
        }
        }
    }
    painter.restore();
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
    const QRectF target(0, 0, writer.width(), writer.height());
    report.forEachPage(0, report.pageCount() - 1, [&](const ReportPage& page) {
        if (page.number > 1)
            writer.newPage();
        paint(painter, page, paper, target);
    });
    painter.end();
}

} // namespace ReportPainter
