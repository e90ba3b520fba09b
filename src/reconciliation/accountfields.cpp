#include "accountfields.h"

#include "kit/lookupcombobox.h"

#include <QLineEdit>

void AccountFields::show(const QString& accountCode, const QString& deptCode,
                         const QString& accountDescription) const {
    code->setEditText(accountCode);
    dept->setText(deptCode);
    description->setText(accountDescription);
}

void AccountFields::choose(const Chooser& chooser, QWidget* owner) const {
    if (const std::optional<AccountChoice> chosen = chooser ? chooser(owner) : std::nullopt)
        show(chosen->code, chosen->dept, chosen->description);
    next->setFocus();
}
