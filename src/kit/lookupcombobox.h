#pragma once

#include <QComboBox>

// A typed code with a drop-down that opens a chooser window instead of a list: the arrow,
// F4 and Alt+Down all ask for the chooser (dropDownRequested), and the text stays editable.
class LookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit LookupComboBox(QWidget* parent);

    void showPopup() override;

signals:
    void dropDownRequested();
};
