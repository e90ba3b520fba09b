#include "voucherkind.h"

#include "data/settings.h"

QString VoucherKind::filter() const {
    QStringList quoted;
    for (const QString& code : typeCodes)
        quoted << QLatin1Char('\'') + code + QLatin1Char('\'');
    return QStringLiteral(R"("TransType" IN (%1))").arg(quoted.join(QLatin1Char(',')));
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
        k.partyMasterNameColumn = QStringLiteral("VendorName");
        k.partyColumn = QStringLiteral("VendorID");
        k.partyNameColumn = QStringLiteral("VendorName");
        k.partyField = QStringLiteral("txtVendorID");
        k.partyNameField = QStringLiteral("txtVendorName");
        k.partyLabel = QStringLiteral("&Vendor ID:");
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
        k.findQuery =
            QStringLiteral(R"(SELECT "TransID" FROM "tblCashbook" WHERE "tblCashbook"."TransType" )"
                           R"(IN ('1','2')ORDER BY "TransID")");
        k.notFoundLabel = QStringLiteral("Payment Voucher / Cheque Number ");
        k.datePickerRoutine = QStringLiteral("DTPicker");
        k.bankSign = -1;
        k.clearingSettingKey = Settings::APClearing;
        return k;
    }();
    return kind;
}

const VoucherKind& VoucherKind::receipt() {
    static const VoucherKind kind = [] {
        VoucherKind k;
        k.windowName = QStringLiteral("frmReceipts");
        k.windowCaption = QStringLiteral("Receipts");
        k.helpTopic = QStringLiteral("frmReceipts");
        k.navigatorNoun = QStringLiteral("Receipt");
        k.typeCodes = {QStringLiteral("3"), QStringLiteral("4")};
        k.typeTexts = {QStringLiteral("3. Receipt - CB Only"),
                       QStringLiteral("4. Receipt - CB / AR")};
        k.defaultType = QStringLiteral("3");
        k.clearingType = QStringLiteral("4");
        k.party = Party::Customer;
        k.partyTable = QStringLiteral("tblCustomers");
        k.partyKeyColumn = QStringLiteral("CustID");
        k.partyMasterNameColumn = QStringLiteral("CustName");
        k.partyColumn = QStringLiteral("CustID");
        k.partyNameColumn = QStringLiteral("CustomerName");
        k.partyField = QStringLiteral("txtCustomerID");
        k.partyNameField = QStringLiteral("txtCustomerName");
        // C is the Close button's key.
        k.partyLabel = QStringLiteral("Custome&r ID:");
        k.partyNameLabel = QStringLiteral("Customer:");
        k.blockCaption = QStringLiteral("REC'D from:");
        k.numberLabel = QStringLiteral("Receipt No:");
        k.signatureCaptions = {QStringLiteral("Received by:")};
        k.unknownPartyMessage =
            QStringLiteral("That Customer ID is unknown.\r\n\r\nPlease select from an "
                           "existing Customer ID, \r\nor create a new customer record.");
        k.missingPartyMessage = QStringLiteral("Must enter a Customer ID.");
        k.missingNumberMessage = QStringLiteral("Must enter a Receipt Number.");
        k.offerText = QStringLiteral("The next Receipt Number is ");
        k.saveQuestion =
            QStringLiteral("The Receipt has passed validation. \r\n\r\nDo you wish to save?");
        k.counterColumn = QStringLiteral("NextReceipt");
        k.counterRoutine = QStringLiteral("NextReceiptNum");
        k.findRoutine = QStringLiteral("cmdFindByReceipt");
        k.findCaption = QStringLiteral("Type Receipt Number to find");
        k.findQuery =
            QStringLiteral(R"(SELECT "TransID" FROM "tblCashbook" WHERE "tblCashbook"."TransType" )"
                           R"(IN ('3','4')ORDER BY "TransID")");
        k.notFoundLabel = QStringLiteral("Receipt Number ");
        k.datePickerRoutine = QStringLiteral("DTPicker Change");
        // Money received: the bank side is the total, the offset and tax sides are credited.
        k.bankSign = 1;
        k.clearingSettingKey = Settings::ARClearing;
        return k;
    }();
    return kind;
}
