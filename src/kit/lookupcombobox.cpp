#include "lookupcombobox.h"

LookupComboBox::LookupComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // The text is the value: Return must not turn it into a list entry, and no completion
    // offers texts typed earlier.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

void LookupComboBox::showPopup() {
    emit dropDownRequested();
}
