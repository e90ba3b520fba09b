#pragma once

#include "statement/csvstatement.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

// "Statement Columns": how a bank's comma-delimited statement is read: the lines to skip,
// the delimiter, the date format, the decimal separator, which column holds what, the
// values of a debit/credit indicator column and whether the amount's sign is inverted. The
// preview shows the file's first lines and what the mapping reads from them (two-digit
// years placed around `today`), or the line at fault, as the user changes it. OK is
// possible only while the whole file reads.
class CsvMappingDialog : public QDialog {
    Q_OBJECT
public:
    CsvMappingDialog(const QByteArray& data, const CsvMapping& start, const QDate& today,
                     QWidget* parent = nullptr);
    CsvMapping mapping() const;

private:
    void refresh();

    QByteArray m_data;
    QDate m_today;
    QSpinBox* m_header = nullptr;
    QComboBox* m_delimiter = nullptr;
    QLineEdit* m_dateFormat = nullptr;
    QComboBox* m_decimal = nullptr;
    QSpinBox* m_date = nullptr;
    QSpinBox* m_amount = nullptr;
    QSpinBox* m_debit = nullptr;
    QSpinBox* m_credit = nullptr;
    QSpinBox* m_reference = nullptr;
    QSpinBox* m_text = nullptr;
    QSpinBox* m_indicator = nullptr;
    QLineEdit* m_debitValue = nullptr;
    QLineEdit* m_creditValue = nullptr;
    QCheckBox* m_invert = nullptr;
    QTableWidget* m_preview = nullptr;
    QLabel* m_result = nullptr;
    QPushButton* m_ok = nullptr;
};
