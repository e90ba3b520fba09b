#include "reportperioddialog.h"

#include "data/codes.h"
#include "kit/services.h"
#include "reports/reportqueries.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

ReportPeriodDialog::ReportPeriodDialog(const QDate& first, const QDate& last, QWidget* parent)
    : QDialog(parent), m_first(first), m_last(last) {
    setObjectName(QStringLiteral("frmReportPeriod"));
    setWindowTitle(QStringLiteral("Report Period"));
    auto* grid = new QGridLayout(this);

    m_current = new QRadioButton(
        QStringLiteral("&Current month: %1").arg(ReportPeriod::currentMonth(first, last).name()),
        this);
    m_current->setObjectName(QStringLiteral("optCurrentMonth"));
    m_current->setChecked(true);
    grid->addWidget(m_current, 0, 0, 1, 4);

    // An earlier month starts at the month before the current one.
    const QDate before = first.addMonths(-1);
    m_month = new QRadioButton(QStringLiteral("&Earlier month:"), this);
    m_month->setObjectName(QStringLiteral("optEarlierMonth"));
    m_monthName = new QComboBox(this);
    m_monthName->setObjectName(QStringLiteral("cboMonth"));
    m_monthName->setAccessibleName(QStringLiteral("Month"));
    for (int month = 1; month <= 12; ++month)
        m_monthName->addItem(Codes::monthName(month));
    m_monthName->setCurrentIndex(before.month() - 1);
    m_year = new QSpinBox(this);
    m_year->setObjectName(QStringLiteral("spnYear"));
    m_year->setAccessibleName(QStringLiteral("Year"));
    m_year->setRange(1900, 9999);
    m_year->setValue(before.year());
    grid->addWidget(m_month, 1, 0);
    grid->addWidget(m_monthName, 1, 1);
    grid->addWidget(m_year, 1, 2);

    m_range = new QRadioButton(QStringLiteral("Date &range from:"), this);
    m_range->setObjectName(QStringLiteral("optDateRange"));
    const auto dateEdit = [this](const char* name, const QDate& date) {
        auto* edit = new QDateEdit(date, this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setDisplayFormat(QStringLiteral("d MMM yyyy"));
        edit->setCalendarPopup(true);
        return edit;
    };
    m_from = dateEdit("dtpFrom", before);
    m_from->setAccessibleName(QStringLiteral("First day"));
    m_to = dateEdit("dtpTo", last);
    auto* to = new QLabel(QStringLiteral("&to"), this);
    to->setBuddy(m_to);
    grid->addWidget(m_range, 2, 0);
    grid->addWidget(m_from, 2, 1);
    grid->addWidget(to, 2, 2, Qt::AlignRight);
    grid->addWidget(m_to, 2, 3);

    // Choosing a month or a date is choosing that kind of period; a range never ends before
    // it starts.
    connect(m_monthName, &QComboBox::currentIndexChanged, m_month,
            [this] { m_month->setChecked(true); });
    connect(m_year, &QSpinBox::valueChanged, m_month, [this] { m_month->setChecked(true); });
    connect(m_from, &QDateEdit::dateChanged, m_range, [this](const QDate& date) {
        m_range->setChecked(true);
        m_to->setMinimumDate(date);
    });
    connect(m_to, &QDateEdit::dateChanged, m_range, [this] { m_range->setChecked(true); });
    m_to->setMinimumDate(m_from->date());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 4);
    m_current->setFocus();
}

ReportPeriod ReportPeriodDialog::period() const {
    if (m_month->isChecked())
        return ReportPeriod::month(QDate(m_year->value(), m_monthName->currentIndex() + 1, 1));
    if (m_range->isChecked())
        return ReportPeriod::range(m_from->date(), m_to->date());
    return ReportPeriod::currentMonth(m_first, m_last);
}

std::optional<ReportPeriod> ReportPeriodDialog::choose(Services& services, QWidget* parent) {
    const auto month = ReportQueries::currentFiscalMonth(services.db);
    if (!month)
        return ReportPeriod{};
    ReportPeriodDialog dialog(month->first, month->second, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.period();
}
