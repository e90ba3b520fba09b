#pragma once

#include <QDialog>
#include <array>
#include <functional>

class QLineEdit;
class QPushButton;
struct Services;

// frmCompany: the name and address of the business that owns the book. Edits stay in the
// window until Save; Close discards them.
class CompanyWindow : public QDialog {
    Q_OBJECT
public:
    // `companyChanged` runs after every save, so that whoever shows the company (the
    // switchboard's company panel) shows the new name and address at once.
    CompanyWindow(Services& services, std::function<void()> companyChanged,
                  QWidget* parent = nullptr);

private:
    void buildWindow();
    void load();
    void save();

    Services& m_services;
    std::function<void()> m_companyChanged;
    std::array<QLineEdit*, 4> m_fields{};
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
    bool m_hasRow = false;
};
