#pragma once

#include <QString>
#include <QStringList>

// What makes a payment voucher a payment voucher and a receipt a receipt. The entry
// window, its record check, its numbering and its double entry are one piece of code;
// every difference between the two twins is a value here.
struct VoucherKind {
    enum class Party { Vendor, Customer };

    // The window.
    QString windowName;    // objectName of the window
    QString windowCaption; // its title
    QString helpTopic;     // page of the help opened with F1
    QString navigatorNoun; // "Payment Voucher" gives "Payment Voucher: 3 of 41"

    // Transaction types: the two codes of the window, in list order, with their list texts.
    QStringList typeCodes;
    QStringList typeTexts;
    QString defaultType;  // a new row's type, and what the check puts in place of a stranger
    QString clearingType; // the type posted against the clearing account

    // The payee or payer.
    Party party = Party::Vendor;
    QString partyTable;            // tblVendors
    QString partyKeyColumn;        // VendorID in tblVendors
    QString partyMasterNameColumn; // VendorName in tblVendors
    QString partyColumn;           // VendorID in tblCashbook
    QString partyNameColumn;       // VendorName in tblCashbook
    QString partyField;            // txtVendorID
    QString partyNameField;        // txtVendorName
    QString partyLabel;            // "&Vendor ID:", with its access key
    QString partyNameLabel;        // "Vendor:"
    QString blockCaption;          // "PAY TO:"
    QString numberLabel;           // "Voucher / Cheque No:"
    QStringList signatureCaptions;

    // Messages.
    QString unknownPartyMessage;
    QString missingPartyMessage;
    QString missingNumberMessage;
    QString offerText; // the offer is offerText + number + offerTail
    QString saveQuestion;

    // Numbering: the counter column of tblBankDetails and its procedure's routine label.
    QString counterColumn;
    QString counterRoutine;

    // The find button.
    QString findRoutine;
    QString findCaption;
    QString findQuery;
    QString notFoundLabel;

    // The date picker's routine label.
    QString datePickerRoutine;

    // The bank side's sign: -1 for money paid out, +1 for money received. The offset and
    // tax sides carry the opposite sign, so the three always sum to zero.
    int bankSign = -1;

    // The clearing account settings (Settings::Key) that the clearing type fills in.
    int clearingSettingKey = 0;

    // The record source of the window's navigator: the rows of these types.
    QString filter() const;

    static const VoucherKind& payment();
    static const VoucherKind& receipt();
};
