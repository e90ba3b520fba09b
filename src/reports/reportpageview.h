#pragma once

#include "reports/reportpage.h"

#include <QWidget>
#include <optional>

class Report;

// One page of a report on screen, at a zoom. Only the page in view is laid out, and it is
// kept until another page is shown, so repainting never reads the rows again.
class ReportPageView : public QWidget {
    Q_OBJECT
public:
    ReportPageView(Report& report, QWidget* parent = nullptr);

    // Shows page `index` (from 0). Throws Failure.
    void showPage(int index);
    int pageIndex() const { return m_index; }
    const ReportPage& page() const { return m_page; }
    void setZoom(qreal zoom);
    qreal zoom() const { return m_zoom; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Report& m_report;
    ReportPage m_page;
    int m_index = -1;
    qreal m_zoom = 1;
};
