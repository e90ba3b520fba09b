#include "csvmappingdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewRows = 12;

// Columns are shown from 1; 0 is "none".
QSpinBox* columnBox(QWidget* parent, const char* name, int column) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, 99);
    box->setSpecialValueText(QStringLiteral("none"));
    box->setValue(column + 1);
    return box;
}

} // namespace

CsvMappingDialog::CsvMappingDialog(const QByteArray& data, const CsvMapping& start,
                                   const QDate& today, QWidget* parent)
    : QDialog(parent), m_data(data), m_today(today) {
    setObjectName(QStringLiteral("frmStatementCsvMapping"));
    setWindowTitle(QStringLiteral("Statement Columns"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    m_header = new QSpinBox(this);
    m_header->setObjectName(QStringLiteral("spnHeaderLines"));
    m_header->setRange(0, 50);
    m_header->setValue(start.headerLines);
    m_delimiter = new QComboBox(this);
    m_delimiter->setObjectName(QStringLiteral("cboDelimiter"));
    m_delimiter->addItem(QStringLiteral("Comma"), QStringLiteral(","));
    m_delimiter->addItem(QStringLiteral("Semicolon"), QStringLiteral(";"));
    m_delimiter->addItem(QStringLiteral("Tab"), QStringLiteral("\t"));
    m_delimiter->setCurrentIndex(std::max(0, m_delimiter->findData(QString(start.delimiter))));
    m_dateFormat = new QLineEdit(start.dateFormat, this);
    m_dateFormat->setObjectName(QStringLiteral("txtDateFormat"));
    m_dateFormat->setToolTip(QStringLiteral("For example dd/MM/yyyy, MM/dd/yy, yyyy-MM-dd or "
                                            "yyyy-MM-dd HH:mm; a time after the date may be "
                                            "left out of the format"));
    m_decimal = new QComboBox(this);
    m_decimal->setObjectName(QStringLiteral("cboDecimal"));
    m_decimal->addItem(QStringLiteral("Full stop (1,234.56)"), QStringLiteral("."));
    m_decimal->addItem(QStringLiteral("Comma (1.234,56)"), QStringLiteral(","));
    m_decimal->setCurrentIndex(std::max(0, m_decimal->findData(QString(start.decimalSeparator))));
    m_date = columnBox(this, "spnDateColumn", start.dateColumn);
    m_amount = columnBox(this, "spnAmountColumn", start.amountColumn);
    m_debit = columnBox(this, "spnDebitColumn", start.debitColumn);
    m_credit = columnBox(this, "spnCreditColumn", start.creditColumn);
    m_reference = columnBox(this, "spnReferenceColumn", start.referenceColumn);
    m_text = columnBox(this, "spnTextColumn", start.textColumn);
    m_indicator = columnBox(this, "spnIndicatorColumn", start.indicatorColumn);
    m_debitValue = new QLineEdit(start.debitValue, this);
    m_debitValue->setObjectName(QStringLiteral("txtDebitValue"));
    m_debitValue->setToolTip(QStringLiteral("For example D, Debit or Af"));
    m_creditValue = new QLineEdit(start.creditValue, this);
    m_creditValue->setObjectName(QStringLiteral("txtCreditValue"));
    m_creditValue->setToolTip(QStringLiteral("For example C, Credit or Bij"));
    m_invert = new QCheckBox(QStringLiteral("In&vert the amount's sign (card statements that "
                                            "show charges as positive)"),
                             this);
    m_invert->setObjectName(QStringLiteral("chkInvertSign"));
    m_invert->setChecked(start.invertSign);
    form->addRow(QStringLiteral("&Lines to skip"), m_header);
    form->addRow(QStringLiteral("D&elimiter"), m_delimiter);
    form->addRow(QStringLiteral("Date &format"), m_dateFormat);
    form->addRow(QStringLiteral("Deci&mal separator"), m_decimal);
    form->addRow(QStringLiteral("&Date column"), m_date);
    form->addRow(QStringLiteral("&Amount column (signed, or by its indicator)"), m_amount);
    form->addRow(QStringLiteral("or De&bit (money out) column"), m_debit);
    form->addRow(QStringLiteral("and &Credit (money in) column"), m_credit);
    form->addRow(QStringLiteral("&Reference column"), m_reference);
    form->addRow(QStringLiteral("&Text column"), m_text);
    form->addRow(QStringLiteral("Debit/credit &indicator column"), m_indicator);
    form->addRow(QStringLiteral("Indicator for money &out"), m_debitValue);
    form->addRow(QStringLiteral("Indicator for money i&n"), m_creditValue);
    form->addRow(m_invert);

    m_preview = new QTableWidget(this);
    m_preview->setObjectName(QStringLiteral("grdPreview"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_preview);
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblPreviewResult"));
    m_result->setWordWrap(true);
    layout->addWidget(m_result);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    for (QSpinBox* box :
         {m_header, m_date, m_amount, m_debit, m_credit, m_reference, m_text, m_indicator})
        connect(box, &QSpinBox::valueChanged, this, &CsvMappingDialog::refresh);
    for (QComboBox* combo : {m_delimiter, m_decimal})
        connect(combo, &QComboBox::currentIndexChanged, this, &CsvMappingDialog::refresh);
    for (QLineEdit* edit : {m_dateFormat, m_debitValue, m_creditValue})
        connect(edit, &QLineEdit::textChanged, this, &CsvMappingDialog::refresh);
    connect(m_invert, &QCheckBox::toggled, this, &CsvMappingDialog::refresh);
    refresh();
    // Wide enough for a statement's columns side by side in the preview.
    resize(720, 720);
}

CsvMapping CsvMappingDialog::mapping() const {
    CsvMapping m;
    m.headerLines = m_header->value();
    m.delimiter = m_delimiter->currentData().toString().front();
    m.dateFormat = m_dateFormat->text().trimmed();
    m.decimalSeparator = m_decimal->currentData().toString().front();
    m.dateColumn = m_date->value() - 1;
    m.amountColumn = m_amount->value() - 1;
    m.debitColumn = m_debit->value() - 1;
    m.creditColumn = m_credit->value() - 1;
    m.referenceColumn = m_reference->value() - 1;
    m.textColumn = m_text->value() - 1;
    m.indicatorColumn = m_indicator->value() - 1;
    m.debitValue = m_debitValue->text().trimmed();
    m.creditValue = m_creditValue->text().trimmed();
    m.invertSign = m_invert->isChecked();
    return m;
}

void CsvMappingDialog::refresh() {
    const CsvMapping m = mapping();
    QList<QStringList> rows;
    try {
        rows = CsvStatement::rows(m_data, m.delimiter, kPreviewRows);
    } catch (const StatementError&) {
    }
    qsizetype columns = 0;
    for (const QStringList& row : rows)
        columns = std::max(columns, row.size());
    m_preview->setRowCount(int(rows.size()));
    m_preview->setColumnCount(int(columns));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c)
            m_preview->setItem(r, c, new QTableWidgetItem(rows.at(r).at(c)));
    try {
        const Statement statement = CsvStatement::read(m_data, m, m_today);
        if (statement.lines.isEmpty())
            throw StatementError(QStringLiteral("No transaction lines are left to read."));
        const StatementLine& first = statement.lines.front();
        m_result->setText(QStringLiteral("%1 line(s) read. The first: %2, %3, \"%4\".")
                              .arg(statement.lines.size())
                              .arg(first.date.toString(QStringLiteral("dd MMM yyyy")),
                                   first.amount.format(Money::Format::Written), first.memo));
        m_ok->setEnabled(true);
    } catch (const StatementError& error) {
        m_result->setText(error.message());
        m_ok->setEnabled(false);
    }
}
