#pragma once

#include "setup/accountfields.h"

#include <QDialog>

class QPushButton;
struct Services;

// frmBankGLAccountCode: the GL account (code, department, description) that stands for the
// bank account in every transaction's double entry. The account list's drop-down opens the
// chart of accounts as a chooser. Edits stay in the window until Save; Close discards them.
class BankGlAccountCodeWindow : public QDialog {
    Q_OBJECT
public:
    explicit BankGlAccountCodeWindow(Services& services, QWidget* parent = nullptr);

private:
    void buildWindow();
    void load();
    void save();

    Services& m_services;
    AccountFields m_account;
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
    bool m_hasRow = false;
};
