#pragma once

#include "reports/reportperiod.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QDateEdit;
class QRadioButton;
class QSpinBox;
struct Services;

// The choice of period a month-based report is shown for: the current fiscal month (chosen at
// first, so Enter shows the report as it always was), an earlier month, or a range of dates.
// Changing a month or a date chooses its kind of period.
class ReportPeriodDialog : public QDialog {
    Q_OBJECT
public:
    // `current`: the first and last day of the current fiscal month.
    ReportPeriodDialog(const QDate& first, const QDate& last, QWidget* parent);

    ReportPeriod period() const;

    // Asks for the period of a report; nothing when the user cancels. A book whose settings
    // name no current month is not asked: its report goes on as the current month's, which
    // says what is missing.
    static std::optional<ReportPeriod> choose(Services& services, QWidget* parent);

private:
    QDate m_first;
    QDate m_last;
    QRadioButton* m_current = nullptr;
    QRadioButton* m_month = nullptr;
    QRadioButton* m_range = nullptr;
    QComboBox* m_monthName = nullptr;
    QSpinBox* m_year = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
};
