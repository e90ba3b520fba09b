#pragma once

#include "reports/reportlayout.h"

#include <QString>
#include <QStringList>

class Database;

// What tells the payment voucher selection window from the receipt one.
struct PrintSelectionKind {
    QString form;         // frmListPaymentVouchers
    QString caption;      // List Payment Vouchers
    QString list;         // lstPaymentVouchers
    QString printCommand; // cmdLstPaymentVoucher
    QString instruction;  // "Click on a PV Number to select it, ..."
    QString orderNote;    // "PV Numbers are in descending order."
    QString notSelected;  // the refusal when nothing is chosen
    QString listAccessibleName;
    QStringList (*ids)(const Database& db) = nullptr;
    ReportLayout (*layout)() = nullptr;

    static PrintSelectionKind paymentVouchers();
    static PrintSelectionKind receipts();
};
