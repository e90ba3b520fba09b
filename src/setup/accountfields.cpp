#include "accountfields.h"

#include "kit/lookupcombobox.h"
#include "masters/lookups.h"

#include <QLineEdit>

void AccountFields::show(const QString& accountCode, const QString& deptCode,
                         const QString& accountDescription) const {
    code->setEditText(accountCode);
    dept->setText(deptCode);
    description->setText(accountDescription);
}

void AccountFields::choose(Services& services, QWidget* owner) const {
    if (const std::optional<AccountChoice> chosen = lookupChartOfAccounts(services, owner))
        show(chosen->code, chosen->dept, chosen->description);
    next->setFocus();
}
