#include "pickercombobox.h"

#include <QLineEdit>

PickerComboBox::PickerComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // No list of its own: typed text is never completed from earlier entries.
    setCompleter(nullptr);
}

void PickerComboBox::showPopup() {
    emit dropDownRequested();
}
