#include "cashpositionchart.h"

#include "data/codes.h"
#include "kit/busypointer.h"
#include "kit/handlerguard.h"
#include "kit/services.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <limits>

namespace {

// Amounts are drawn in dollars; the chart only shows them, never adds them up.
double dollars(Money amount) {
    return double(amount.units()) / Money::Scale;
}

QString monthLabel(const QDate& day) {
    return day.toString(QStringLiteral("MMM yy"));
}

QChartView* chartView(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setAccessibleName(accessibleName);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

} // namespace

CashPositionChart::CashPositionChart(Services& services, QWidget* parent)
    : QWidget(parent), m_services(services) {
    setObjectName(QStringLiteral("fraCashPosition"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* choice = new QHBoxLayout;
    m_period = new QComboBox(this);
    m_period->setObjectName(QStringLiteral("cboPeriod"));
    for (const auto& [caption, months] : {std::pair{"Last 3 months", 3},
                                          {"Last 12 months", 12},
                                          {"Last 24 months", 24},
                                          {"All", 0}})
        m_period->addItem(QString::fromLatin1(caption), months);
    m_period->setCurrentIndex(1);
    auto* periodLabel = new QLabel(QStringLiteral("P&eriod"), this);
    periodLabel->setBuddy(m_period);
    choice->addWidget(periodLabel);
    choice->addWidget(m_period);
    choice->addStretch(1);
    layout->addLayout(choice);

    m_picture = new QWidget(this);
    m_picture->setObjectName(QStringLiteral("picCashPosition"));
    auto* charts = new QVBoxLayout(m_picture);
    charts->setContentsMargins(0, 0, 0, 0);
    m_balanceView = chartView(m_picture, "chtBalance", QStringLiteral("Bank balance by day"));
    m_monthView =
        chartView(m_picture, "chtMoneyInOut", QStringLiteral("Money in and out by month"));
    charts->addWidget(m_balanceView, 3);
    charts->addWidget(m_monthView, 2);
    layout->addWidget(m_picture, 1);

    m_cashbook = new QLineSeries(this);
    m_cashbook->setName(QStringLiteral("Cashbook balance"));
    m_reconciled = new QLineSeries(this);
    m_reconciled->setName(QStringLiteral("Reconciled balance"));
    m_months = new QBarSeries(this);
    for (QLineSeries* series : {m_cashbook, m_reconciled})
        connect(series, &QLineSeries::hovered, this, [this](const QPointF& point, bool state) {
            if (state)
                QToolTip::showText(QCursor::pos(), dayText(qRound(point.x())), this);
            else
                QToolTip::hideText();
        });
    connect(m_months, &QBarSeries::hovered, this, [this](bool state, int month, QBarSet*) {
        if (state)
            QToolTip::showText(QCursor::pos(), monthText(month), this);
        else
            QToolTip::hideText();
    });
    connect(m_period, &QComboBox::currentIndexChanged, this, [this] {
        guarded(m_services, window()->objectName(), QStringLiteral("cboPeriod Click"),
                [this] { refresh(); });
    });
}

void CashPositionChart::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_outOfDate)
        guarded(m_services, window()->objectName(), QStringLiteral("CashPosition"),
                [this] { refresh(); });
}

void CashPositionChart::refresh() {
    BusyScope busy(m_services.busy);
    const QDate today = m_services.clock.today();
    const QDate first =
        CashPosition::periodStart(m_services.db, today, m_period->currentData().toInt());
    m_position = CashPosition::read(m_services.db, first, today);
    m_outOfDate = false;
    draw();
}

QString CashPositionChart::dayText(int day) const {
    if (day < 0 || day >= m_position.cashbook.size())
        return {};
    return QStringLiteral("%1\nCashbook balance: %2\nReconciled balance: %3")
        .arg(m_position.first.addDays(day).toString(QStringLiteral("d MMMM yyyy")),
             m_position.cashbook.at(day).format(Money::Format::Written),
             m_position.reconciled.at(day).format(Money::Format::Written));
}

QString CashPositionChart::monthText(int month) const {
    if (month < 0 || month >= m_position.months.size())
        return {};
    const CashPosition::Month& figures = m_position.months.at(month);
    return QStringLiteral("%1 %2\nMoney in: %3\nMoney out: %4")
        .arg(Codes::monthName(figures.first.month()))
        .arg(figures.first.year())
        .arg(figures.in.format(Money::Format::Written),
             (-figures.out).format(Money::Format::Written));
}

void CashPositionChart::draw() {
    QChart* balance = m_balanceView->chart();
    QChart* months = m_monthView->chart();
    for (QChart* chart : {balance, months}) {
        for (QAbstractSeries* series : chart->series())
            chart->removeSeries(series);
        for (QAbstractAxis* axis : chart->axes()) {
            chart->removeAxis(axis);
            delete axis;
        }
    }

    // The lines: one point a day, the day counted from the period's first.
    QList<QPointF> cashbook, reconciled;
    // The lines fill the height: the axis runs from the lowest balance to the highest.
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (int day = 0; day < m_position.cashbook.size(); ++day) {
        cashbook << QPointF(day, dollars(m_position.cashbook.at(day)));
        reconciled << QPointF(day, dollars(m_position.reconciled.at(day)));
        for (const QPointF& point : {cashbook.last(), reconciled.last()}) {
            low = std::min(low, point.y());
            high = std::max(high, point.y());
        }
    }
    m_cashbook->replace(cashbook);
    m_reconciled->replace(reconciled);
    balance->addSeries(m_cashbook);
    balance->addSeries(m_reconciled);
    // Every month starts at a line of the grid; long periods name only the years.
    auto* days = new QCategoryAxis;
    days->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // A category ends after its start: the first month begins on the first day, at 0.
    days->setStartValue(-1);
    days->setRange(0, std::max<qsizetype>(1, m_position.cashbook.size() - 1));
    const bool manyMonths = m_position.months.size() > 25;
    for (const CashPosition::Month& month : m_position.months) {
        if (manyMonths && month.first.month() != 1)
            continue;
        days->append(manyMonths ? QString::number(month.first.year()) : monthLabel(month.first),
                     m_position.first.daysTo(month.first));
    }
    auto* amounts = new QValueAxis;
    if (cashbook.isEmpty())
        low = high = 0;
    amounts->setRange(low, high > low ? high : low + 1);
    amounts->setLabelFormat(QStringLiteral("%.0f"));
    amounts->applyNiceNumbers();
    balance->addAxis(days, Qt::AlignBottom);
    balance->addAxis(amounts, Qt::AlignLeft);
    for (QLineSeries* series : {m_cashbook, m_reconciled}) {
        series->attachAxis(days);
        series->attachAxis(amounts);
    }
    balance->setTitle(QStringLiteral("Bank balance, %1 to %2")
                          .arg(m_position.first.toString(QStringLiteral("d MMM yyyy")),
                               m_position.last.toString(QStringLiteral("d MMM yyyy"))));

    // The bars: money in above the line, money out below it.
    m_months->clear();
    auto* in = new QBarSet(QStringLiteral("Money in"));
    auto* out = new QBarSet(QStringLiteral("Money out"));
    QStringList names;
    double most = 1;
    for (const CashPosition::Month& month : m_position.months) {
        *in << dollars(month.in);
        *out << dollars(month.out);
        names << monthLabel(month.first);
        most = std::max({most, dollars(month.in), -dollars(month.out)});
    }
    m_months->append(in);
    m_months->append(out);
    months->addSeries(m_months);
    auto* monthAxis = new QBarCategoryAxis;
    monthAxis->append(names);
    if (manyMonths)
        monthAxis->setLabelsVisible(false);
    auto* flows = new QValueAxis;
    flows->setRange(-most, most);
    flows->setLabelFormat(QStringLiteral("%.0f"));
    flows->applyNiceNumbers();
    months->addAxis(monthAxis, Qt::AlignBottom);
    months->addAxis(flows, Qt::AlignLeft);
    m_months->attachAxis(monthAxis);
    m_months->attachAxis(flows);
    months->setTitle(QStringLiteral("Money in and out by month"));
}
