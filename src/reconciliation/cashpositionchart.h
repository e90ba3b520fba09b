#pragma once

#include "reconciliation/cashposition.h"

#include <QWidget>

class QBarSeries;
class QChartView;
class QComboBox;
class QLineSeries;
struct Services;

// The cash position as a picture: the cashbook balance and the reconciled balance at the end of
// every day as two lines (the months marked on the time axis), with the money in and out of
// every month as bars below. Pointing at a line or a bar shows its date and figures; the period
// is the last 3, 12 or 24 months up to today, or the whole book. The figures are read when the
// chart is shown, and again when the period changes or refresh() is called.
class CashPositionChart : public QWidget {
    Q_OBJECT
public:
    CashPositionChart(Services& services, QWidget* parent);

    // Reads the figures again (after a status or a transaction changed) and draws them.
    void refresh();
    // Whether the figures must be read again before the chart is next looked at.
    void setOutOfDate() { m_outOfDate = true; }

    const CashPosition& position() const { return m_position; }
    QLineSeries* cashbookSeries() const { return m_cashbook; }
    QLineSeries* reconciledSeries() const { return m_reconciled; }
    QBarSeries* monthSeries() const { return m_months; }
    // The two charts, without the period choice: what is saved and printed.
    QWidget* picture() const { return m_picture; }

    // The text shown when pointing at a day of the lines, or at a month's bars.
    QString dayText(int day) const;
    QString monthText(int month) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void draw();

    Services& m_services;
    CashPosition m_position;
    bool m_outOfDate = true;
    QComboBox* m_period = nullptr;
    QWidget* m_picture = nullptr;
    QChartView* m_balanceView = nullptr;
    QChartView* m_monthView = nullptr;
    QLineSeries* m_cashbook = nullptr;
    QLineSeries* m_reconciled = nullptr;
    QBarSeries* m_months = nullptr;
};
