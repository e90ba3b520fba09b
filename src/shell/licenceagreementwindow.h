#pragma once

#include <QDialog>

struct Services;

// Help > Licence Agreement: the licence notice in a read-only box.
class LicenceAgreementWindow : public QDialog {
    Q_OBJECT
public:
    explicit LicenceAgreementWindow(Services& services, QWidget* parent = nullptr);

    // The notice shown in the box.
    static QString licenceText();
};
