#include "reportpainter.h"

#include "data/failure.h"
#include "reports/report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace ReportPainter {

void paint(QPainter& painter, const ReportPage& page, QSizeF paper, const QRectF& target) {
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / paper.width(), target.height() / paper.height());
    // Sizes are in points of the paper: a font's point size is turned into the device's
    // units before the painter's scale applies.
    const qreal dpi = painter.device() ? painter.device()->logicalDpiY() : 72;
    QPen pen(Qt::black);
    pen.setWidthF(0.5);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
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
            QFont font(QStringLiteral("Helvetica"));
            font.setPointSizeF(item.fontSize * 72.0 / dpi);
            font.setBold(item.bold);
            painter.setFont(font);
            if (item.wrap) {
                painter.drawText(item.rect, int(item.align) | Qt::TextWordWrap, item.text);
            } else {
                const QFontMetricsF metrics(font, painter.device());
                painter.drawText(item.rect, int(item.align),
                                 metrics.elidedText(item.text, Qt::ElideRight, item.rect.width()));
            }
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
    for (int i = 0; i < report.pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        paint(painter, report.page(i), paper, target);
    }
    painter.end();
}

} // namespace ReportPainter
