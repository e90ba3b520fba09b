#pragma once

#include <QString>
#include <QVariant>

class QComboBox;
struct Services;

// One setting by key and sub-key (see Settings). A failure is reported as "mrLookup"
// and gives an empty text; the caller carries on with it.
QVariant mrLookup(Services& services, int key, int subKey);
QString mrLookupText(Services& services, int key, int subKey);

// Caps the edit text of an editable drop-down list at maxLength characters.
void LimitCBText(Services& services, QComboBox* combo, int maxLength);
