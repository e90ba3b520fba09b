#pragma once

#include "statement/statemententries.h"

#include <QDialog>

class LookupComboBox;
class QComboBox;
class QLabel;
class QLineEdit;
struct Services;

// "Bank Entry from Statement": one statement line without a transaction, to be written as
// a bank charge, interest or miscellaneous entry. The user confirms its type, number,
// description and offset GL account (typed, or picked from the chart with the drop-down);
// Create writes it through the bank entry rules, Skip leaves the line, Stop leaves the rest.
class BankEntryDialog : public QDialog {
    Q_OBJECT
public:
    enum Result { Skip = 0, Create = 1, Stop = 2 };

    BankEntryDialog(Services& services, const StatementLine& line,
                    const StatementEntries::Choice& proposal, QWidget* parent = nullptr);
    StatementEntries::Choice choice() const;

private:
    Services& m_services;
    QComboBox* m_type = nullptr;
    QLineEdit* m_id = nullptr;
    QLineEdit* m_desc = nullptr;
    LookupComboBox* m_account = nullptr;
    QLineEdit* m_dept = nullptr;
    QLabel* m_accountDesc = nullptr;
};
