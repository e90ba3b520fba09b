#include "voucherkind.h"

#include "shell/settings.h"

QString VoucherKind::filter() const {
    QStringList quoted;
    for (const QString& code : typeCodes)
        quoted << QLatin1Char('\'') + code + QLatin1Char('\'');
    return QStringLiteral("TransType IN (%1)").arg(quoted.join(QLatin1Char(',')));
}

const VoucherKind& VoucherKind::payment() {
    static const VoucherKind kind = [] {
        VoucherKind k;
        k.windowName = QStringLiteral("frmPaymentVoucher");
        k.windowCaption = QStringLiteral("Payment Voucher");
        k.helpTopic = QStringLiteral("frmPaymentVoucher");
        k.navigatorNoun = QStringLiteral("Payment Voucher");
        k.typeCodes = {QStringLiteral("1"), QStringLiteral("2")};
        k.typeTexts = {QStringLiteral("1. Payment - CB Only"),
                       QStringLiteral("2. Payment - CB / AP")};
        k.defaultType = QStringLiteral("1");
        k.clearingType = QStringLiteral("2");
        k.party = Party::Vendor;
        k.partyTable = QStringLiteral("tblVendors");
        k.partyKeyColumn = QStringLiteral("VendorID");
        k.partyColumn = QStringLiteral("VendorID");
        k.partyNameColumn = QStringLiteral("VendorName");
        k.partyField = QStringLiteral("txtVendorID");
        k.partyNameField = QStringLiteral("txtVendorName");
        k.partyLabel = QStringLiteral("Vendor ID:");
        k.partyNameLabel = QStringLiteral("Vendor:");
        k.blockCaption = QStringLiteral("PAY TO:");
        k.numberLabel = QStringLiteral("Voucher / Cheque No:");
        k.signatureCaptions = {QStringLiteral("Payment Approved by:"),
                               QStringLiteral("Payment Received by:")};
        k.unknownPartyMessage =
            QStringLiteral("That Vendor ID is unknown.\r\n\r\nPlease select from an "
                           "existing Vendor ID, \r\nor create a new vendor record.");
        k.missingPartyMessage = QStringLiteral("Must enter a Vendor ID.");
        k.missingNumberMessage = QStringLiteral("Must enter a Payment Voucher / Cheque Number.");
        k.offerText = QStringLiteral("The next Payment Voucher / Cheque Number is ");
        k.saveQuestion = QStringLiteral(
            "The Payment Voucher has passed validation. \r\n\r\nDo you wish to save?");
        k.counterColumn = QStringLiteral("NextCheque");
        k.counterRoutine = QStringLiteral("NextPVChequeNum");
        k.findRoutine = QStringLiteral("cmdFindByPV");
        k.findCaption = QStringLiteral("Type Payment Voucher / Cheque Number to find");
        k.findQuery = QStringLiteral("SELECT TransID FROM tblCashbook WHERE tblCashbook.TransType "
                                     "IN ('1','2')ORDER BY TransID");
        k.notFoundLabel = QStringLiteral("Payment Voucher / Cheque Number ");
        k.datePickerRoutine = QStringLiteral("DTPicker");
        k.bankSign = -1;
        k.clearingSettingKey = Settings::APClearing;
        return k;
    }();
    return kind;
}
