#pragma once

#include "masters/choices.h"

#include <QString>
#include <functional>
#include <optional>

class LookupComboBox;
class QLineEdit;
class QWidget;

// An account list with the department and description that go with its code, as the
// setup windows show a GL account, and the field the focus goes to after a lookup.
struct AccountFields {
    LookupComboBox* code = nullptr;
    QLineEdit* dept = nullptr;
    QLineEdit* description = nullptr;
    QWidget* next = nullptr;

    // Opens a chooser of an account modally over `parent`; returns the account chosen.
    using Chooser = std::function<std::optional<AccountChoice>(QWidget* parent)>;

    // Shows a stored or chosen account.
    void show(const QString& accountCode, const QString& deptCode,
              const QString& accountDescription) const;

    // Runs `chooser` over `owner`; a choice fills the three fields, and the focus then goes
    // to `next` whether or not anything was chosen.
    void choose(const Chooser& chooser, QWidget* owner) const;
};
