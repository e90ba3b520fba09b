#include "reportpageview.h"

#include "reports/report.h"
#include "reports/reportpainter.h"

#include <QPainter>

ReportPageView::ReportPageView(Report& report, QWidget* parent)
    : QWidget(parent), m_report(report) {
    setObjectName(QStringLiteral("pageView"));
    setAccessibleName(QStringLiteral("Report page"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ReportPageView::showPage(int index) {
    m_page = m_report.page(index);
    m_index = index;
    update();
}

void ReportPageView::setZoom(qreal zoom) {
    m_zoom = zoom;
    setFixedSize(sizeHint());
    update();
}

QSize ReportPageView::sizeHint() const {
    // Points to the screen's pixels: a 100% page is as large as the paper.
    const qreal scale = m_zoom * logicalDpiX() / 72.0;
    return (m_report.layout().pageSize * scale).toSize();
}

void ReportPageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF paper(0, 0, width(), height());
    painter.fillRect(paper, Qt::white);
    if (m_index >= 0)
        ReportPainter::paint(painter, m_page, m_report.layout().pageSize, paper);
}
