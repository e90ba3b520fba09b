#pragma once

#include "reports/printselectionkind.h"

#include <QDialog>
#include <functional>

class QListWidget;
class ReportPrinting;
struct Services;

// frmListPaymentVouchers and frmListReceipts: the list of payment (or receipt) numbers, highest
// first; "Print / Preview" shows the chosen one's form in a modal preview, and the window stays
// open for the next. It does not block the main window.
class PrintSelectionWindow : public QDialog {
    Q_OBJECT
public:
    PrintSelectionWindow(Services& services, PrintSelectionKind kind,
                         ReportPrinting* printing = nullptr, QWidget* parent = nullptr);

private:
    void buildWindow();
    void load();
    void preview();

    Services& m_services;
    PrintSelectionKind m_kind;
    ReportPrinting* m_printing;
    QListWidget* m_list = nullptr;
};
