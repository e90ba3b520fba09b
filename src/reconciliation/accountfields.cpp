#include "accountfields.h"

#include "masters/lookuptransfer.h"
#include "kit/lookupcombobox.h"

#include <QLineEdit>

void AccountFields::show(const QString& accountCode, const QString& deptCode,
                         const QString& accountDescription) const {
    code->setEditText(accountCode);
    dept->setText(deptCode);
    description->setText(accountDescription);
}

void AccountFields::choose(LookupTransfer& lookup, const std::function<void(QWidget*)>& chooser,
                           QWidget* owner) const {
    lookup.clear(1, 3);
    if (chooser)
        chooser(owner);
    if (!lookup.LookupValue1.isEmpty())
        show(lookup.LookupValue1, lookup.LookupValue2, lookup.LookupValue3);
    next->setFocus();
}
