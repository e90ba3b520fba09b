#pragma once

#include <QComboBox>

// An editable account list whose drop-down opens a chooser window instead of a list:
// the arrow, F4 and Alt+Down emit dropDown(); the text is typed or filled by the caller.
class LookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit LookupComboBox(QWidget* parent);

    void showPopup() override;

signals:
    void dropDown();
};
