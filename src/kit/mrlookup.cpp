#include "mrlookup.h"

#include "data/settings.h"
#include "kit/handlerguard.h"
#include "kit/services.h"

#include <QComboBox>
#include <QLineEdit>

QVariant mrLookup(Services& services, int key, int subKey) {
    QVariant result = QString();
    guarded(services, QString(), QStringLiteral("mrLookup"),
            [&] { result = Settings::read(services.db, key, subKey); });
    return result;
}

QString mrLookupText(Services& services, int key, int subKey) {
    return mrLookup(services, key, subKey).toString();
}

void LimitCBText(Services& services, QComboBox* combo, int maxLength) {
    guarded(services, QString(), QStringLiteral("LimitCBText"), [&] {
        if (!combo || !combo->lineEdit())
            throw Failure(ErrorNumber::ObjectNotSet,
                          QStringLiteral("The list is not an editable drop-down list."));
        combo->lineEdit()->setMaxLength(maxLength);
    });
}
