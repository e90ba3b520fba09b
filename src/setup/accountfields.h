#pragma once

#include <QString>

class LookupComboBox;
class QLineEdit;
class QWidget;
struct Services;

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

    // Opens the chart of accounts as a chooser over `owner`; a choice fills the three
    // fields, and the focus then goes to `next` whether or not anything was chosen.
    void choose(Services& services, QWidget* owner) const;
};
