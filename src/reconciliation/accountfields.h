#pragma once

#include <QString>
#include <functional>

class LookupComboBox;
class QLineEdit;
class QWidget;
struct LookupTransfer;

// An account list with the department and description that go with its code, as the
// setup windows show a GL account, and the field the focus goes to after a lookup.
struct AccountFields {
    LookupComboBox* code = nullptr;
    QLineEdit* dept = nullptr;
    QLineEdit* description = nullptr;
    QWidget* next = nullptr;

    // Shows a stored or chosen account.
    void show(const QString& accountCode, const QString& deptCode,
              const QString& accountDescription) const;

    // Runs `chooser` over `owner` with the lookup strings 1 to 3 cleared; a choice
    // (LookupValue1 code, 2 department, 3 description) fills the three fields, and the
    // focus then goes to `next` whether or not anything was chosen.
    void choose(LookupTransfer& lookup, const std::function<void(QWidget*)>& chooser,
                QWidget* owner) const;
};
