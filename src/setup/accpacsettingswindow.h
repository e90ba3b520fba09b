#pragma once

#include "setup/accountfields.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
struct Services;

// frmAccpacSettings: the GL batch's source code, single- or multi-currency GL, and the
// integration with the outside AR and AP ledgers. Edits stay in the window until Save;
// Close discards them.
class AccpacSettingsWindow : public QDialog {
    Q_OBJECT
public:
    explicit AccpacSettingsWindow(Services& services, QWidget* parent = nullptr);

private:
    void buildWindow();
    void load();
    void updateAREnabled();
    void updateAPEnabled();
    void chooseCurrency(int index);
    void updateCurrencyEnabled();
    void save();
    bool isMultiCurrency() const;

    Services& m_services;

    QLineEdit* m_sourceCode = nullptr;
    QCheckBox* m_integrateWithAR = nullptr;
    AccountFields m_arControl;
    AccountFields m_arClearing;
    QLineEdit* m_arControlAccountSet = nullptr;
    QCheckBox* m_integrateWithAP = nullptr;
    AccountFields m_apControl;
    AccountFields m_apClearing;
    QLineEdit* m_apBankCode = nullptr;
    QComboBox* m_currency = nullptr;
    QLineEdit* m_singleMultiCurrency = nullptr;
    QLineEdit* m_homeCurrency = nullptr;
    QLineEdit* m_rateType = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
    bool m_hasRow = false;
};
