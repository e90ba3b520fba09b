// The catalogue's texts, pinned: a text the user reads changes only on purpose. Every other
// test names the catalogue's function instead of copying its text.
#include "data/messages.h"

#include <QTest>
#include <functional>

class TestMessages : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
};

void TestMessages::texts_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    // ---- amounts
    QTest::newRow("amountOutOfRange")
        << Messages::amountOutOfRange()
        << "Amounts must lie between -$999,999,999,999.99 and $999,999,999,999.99.";
    // ---- book
    // ---- entry
    QTest::newRow("notANumber") << Messages::notANumber() << QString("Must enter a number.");
    QTest::newRow("missingAmount") << Messages::missingAmount() << QString("Must enter an amount.");
    QTest::newRow("missingType") << Messages::missingType()
                                 << QString("Must enter a Transaction Type.");
    QTest::newRow("missingAccount")
        << Messages::missingAccount() << QString("Must enter a GL Account Code.");
    QTest::newRow("missingTransId")
        << Messages::missingTransId() << QString("Must enter a transaction ID.");
    QTest::newRow("duplicateNumber")
        << Messages::duplicateNumber()
        << QString("That Transaction ID appears to already exist.\r\nTransaction IDs must be "
                   "unique.\r\n\r\nPlease enter a new one.");
    QTest::newRow("moveRefused") << Messages::moveRefused()
                                 << QString(
                                        "The record has not passed validation.\r\n\r\nTherefore, "
                                        "you cannot move to the next/previous record.");
    QTest::newRow("closeQuestion")
        << Messages::closeQuestion()
        << QString("The record has not passed validation.\r\n\r\nIf you close, your changes will "
                   "be abandoned.\r\n\r\nDo you wish to close?");
    QTest::newRow("negativeAmountQuestion")
        << Messages::negativeAmountQuestion()
        << QString("You have entered a negative amount.\r\n\r\nAre you sure?");
    QTest::newRow("unknownAccount")
        << Messages::unknownAccount()
        << QString("That Account Code is unknown.\r\n\r\nPlease select from an existing Account "
                   "Code, \r\nor create a new one.");
    QTest::newRow("accountHasDepartments")
        << Messages::accountHasDepartments("5100")
        << QString("Account Code 5100 has more than one department.\r\n\r\nPlease choose the "
                   "account and its department from the list (Alt+Down).");
    QTest::newRow("unknownTaxCode")
        << Messages::unknownTaxCode()
        << QString("That Tax Code is unknown.\r\n\r\nPlease select from an existing Tax Code, "
                   "\r\nor create a new one in the Tax Table.");
    QTest::newRow("taxCodeWithoutAccount")
        << Messages::taxCodeWithoutAccount()
        << QString("The Tax Code has no GL Account Code, so the tax amount\r\nwould be posted to "
                   "no account.\r\n\r\nPlease set its GL Account Code in the Tax Table.");
    QTest::newRow("bankAccountAsOffset")
        << Messages::bankAccountAsOffset()
        << QString("You cannot select the GL Bank Account Code\r\nas it is the control account and "
                   "is used \r\nautomatically as one half of the double-entry\r\nbook-keeping.");
    QTest::newRow("apControlAsOffset")
        << Messages::apControlAsOffset()
        << QString("Integrated with AP.  Therefore, you cannot\r\nchoose the AP Control Account.");
    QTest::newRow("arControlAsOffset")
        << Messages::arControlAsOffset()
        << QString("Integrated with AR.  Therefore, you cannot\r\nchoose the AR Control Account.");
    QTest::newRow("bankAccountNotSet")
        << Messages::bankAccountNotSet()
        << QString(
               "The bank's GL Account Code is not set, so this entry would post its bank "
               "side\r\nto no account.\r\n\r\nPlease set it first: Setup, Bank GL Account Code.");
    QTest::newRow("noRecordToSave")
        << Messages::noRecordToSave() << QString("There is no record to save.");
    QTest::newRow("notSaved") << Messages::notSaved() << QString("Not saved.");
    QTest::newRow("saved") << Messages::saved() << QString("Saved.");
    QTest::newRow("noRecordsToDelete")
        << Messages::noRecordsToDelete() << QString("There are no records to delete.");
    QTest::newRow("deleteNotOutstanding")
        << Messages::deleteNotOutstanding()
        << QString("Cannot delete when Reconciliation Status\r\nis not Outstanding.");
    QTest::newRow("deleteQuestion") << Messages::deleteQuestion() << QString("Are you sure?");
    // ---- masters
    // ---- master files
    const QString importTail =
        "this would cause duplication. \r\n\r\n"
        "Before this procedure can work, you must have already exported \r\n"
        "eg from Accpac / Adagio those fields to a text file using comma delimited format."
        "\r\n\r\nDo you wish to continue?";
    QTest::newRow("exportAccountsQuestion")
        << Messages::exportAccountsQuestion()
        << "This procedure exports the fields account codes, departments \r\n"
           "and descriptions to a text file (*.txt).\r\n\r\nDo you wish to continue?";
    QTest::newRow("exportCustomersQuestion")
        << Messages::exportCustomersQuestion()
        << "This procedure exports the fields Customer ID, Customer Name, \r\n"
           "Address1, Address2, Address3, Address4 and Postal Code to a text file (*.txt).\r\n\r\n"
           "Do you wish to continue?";
    QTest::newRow("exportVendorsQuestion")
        << Messages::exportVendorsQuestion()
        << "This procedure exports the fields Vendor ID, Vendor Name, \r\n"
           "Address1, Address2, Address3, Address4 and Postal Code to a text file (*.txt).\r\n\r\n"
           "Do you wish to continue?";
    QTest::newRow("importAccountsQuestion")
        << Messages::importAccountsQuestion()
        << "This procedure imports the fields account codes, departments \r\n"
           "and descriptions from a text file (*.txt, *.csv).\r\n\r\n"
           "It will add the accounts to any existing accounts except where \r\n" +
               importTail;
    QTest::newRow("importCustomersQuestion")
        << Messages::importCustomersQuestion()
        << "This procedure imports the fields Customer Number, Customer Name,\r\n"
           "Address1, Address2, Address3, Address4 and Postal Code from \r\n"
           "a text file (*.txt, *.csv).\r\n\r\n"
           "It will add the Customers to any existing records except where \r\n" +
               importTail;
    QTest::newRow("importVendorsQuestion")
        << Messages::importVendorsQuestion()
        << "This procedure imports the fields Vendor Number, Vendor Name,\r\n"
           "Address1, Address2, Address3, Address4 and Postal Code from \r\n"
           "a text file (*.txt, *.csv).\r\n\r\n"
           "It will add the Vendors to any existing records except where \r\n" +
               importTail;
    QTest::newRow("noRecordsToExport")
        << Messages::noRecordsToExport() << "There are no records to export.";
    QTest::newRow("exportCancelled")
        << Messages::exportCancelled() << "The export operation was cancelled.\r\n";
    QTest::newRow("createFileQuestion")
        << Messages::createFileQuestion("/d/new.txt")
        << "The file /d/new.txt does not exist.\r\n\r\nDo you want to create it?";
    QTest::newRow("exportOverBook")
        << Messages::exportOverBook("/d/cashbook.mdb")
        << "/d/cashbook.mdb\r\n\r\nis the open cashbook or one of its working files. An export "
           "cannot be written over it.\r\n\r\nNothing was exported. Choose another file name.";
    QTest::newRow("exportSucceeded")
        << Messages::exportSucceeded("/d/Export.txt", 1)
        << "Export File /d/Export.txt successfully created.\r\n\r\n1 records exported.\r\n";
    QTest::newRow("viewExportQuestion")
        << Messages::viewExportQuestion()
        << "Would you like to view the contents of the exported file?";
    QTest::newRow("duplicateAccount")
        << Messages::duplicateAccount("4000", "sales", "Sales")
        << "Account Code:  4000\r\nDept Code:     sales\r\nDescription:   Sales\r\n\r\n"
           "is a duplicate and will not be imported.\r\n\r\nDo you wish to continue?";
    QTest::newRow("duplicateCustomer")
        << Messages::duplicateCustomer("C1", "Smith, John")
        << "Customer ID:  C1\r\nCustomer Name: Smith, John\r\n\r\n"
           "appears to be a duplicate and will not be imported.\r\n\r\nDo you wish to continue?";
    QTest::newRow("duplicateVendor")
        << Messages::duplicateVendor("V1", "Acme")
        << "Vendor ID:  V1\r\nVendor Name: Acme\r\n\r\n"
           "appears to be a duplicate and will not be imported.\r\n\r\nDo you wish to continue?";
    QTest::newRow("recordsAdded") << Messages::recordsAdded(0) << "Records Added:  0";
    // ---- setup
    QTest::newRow("bankDetailsEditQuestion")
        << Messages::bankDetailsEditQuestion()
        << "Please note that the settings here \r\nare extremely important for the proper\r\n"
           "functioning of the Cashbook.\r\n\r\nOnce setup, these settings should be left "
           "alone.\r\n\r\nBy default, the values are read-only.\r\n\r\nDo you wish to modify them?";
    QTest::newRow("onlyNumbersForVouchers")
        << Messages::onlyNumbersForVouchers()
        << "You are allowed to enter only numbers\r\nfor automatic Payment Voucher numbering.";
    QTest::newRow("onlyNumbersForReceipts")
        << Messages::onlyNumbersForReceipts()
        << "You are allowed to enter only numbers\r\nfor automatic Receipt numbering.";
    QTest::newRow("distinctNumberingAdvice")
        << Messages::distinctNumberingAdvice()
        << "\r\n\r\nYour numbering sequence for Payment Vouchers \r\nand Receipts should be "
           "different.";
    QTest::newRow("takeOnBalanceNotAmount")
        << Messages::takeOnBalanceNotAmount()
        << "The Take-on Bank Balance must be an amount,\r\nfor example 1,234.56 or -250.00.";
    QTest::newRow("mustEnterSetting")
        << Messages::mustEnterSetting(QStringLiteral("GL Rate Type")) << "Must enter GL Rate Type.";
    QTest::newRow("mustEnterCompanyName")
        << Messages::mustEnterCompanyName() << "Must enter a Company Name.";
    QTest::newRow("noSettingsRecordToSave")
        << Messages::noSettingsRecordToSave() << "There is no record to save.";
    QTest::newRow("settingsSaved") << Messages::settingsSaved() << "Saved!";
    QTest::newRow("bankGlAccountSaved") << Messages::bankGlAccountSaved() << "Saved.";
    // ---- shell
    QTest::newRow("errorReport, window handler")
        << Messages::errorReport(3021, QStringLiteral("No current record."),
                                 QStringLiteral("frmVendors"), QStringLiteral("cmdSave"))
        << "An error has occurred.\r\n\r\nError Number: 3021\r\nError Description: No current "
           "record.\r\nForm: frmVendors\r\nRoutine: cmdSave";
    QTest::newRow("errorReport, procedure")
        << Messages::errorReport(-2147467259, QStringLiteral("Duplicate."), QString(),
                                 QStringLiteral("PreparetblDistribution"))
        << "An error has occurred.\r\n\r\nError Number: -2147467259\r\nError Description: "
           "Duplicate.\r\nRoutine: PreparetblDistribution";
    QTest::newRow("functionKeyList")
        << Messages::functionKeyList()
        << "F1  - Help\r\nF2  - Calculator\r\nF3  - Undefined\r\nF4  - Undefined\r\nF5  - "
           "Undefined\r\nF6  - Undefined\r\nF7  - Undefined\r\nF8  - Undefined\r\nF9  - "
           "Undefined\r\nF10 - Quit Quillan\r\nF11 - Undefined\r\nF12 - Undefined";
    QTest::newRow("quitQuestion") << Messages::quitQuestion() << "Do you wish to quit Quillan?";
    QTest::newRow("aboutText")
        << Messages::aboutText()
        << "Quillan v1.0\r\n\r\nDesign Philosophy: Does the Job;Easy to Use; Affordable to "
           "Buy\r\n\r\nWritten by the Quillan project.\r\nA cashbook for the small business:\r\n"
           "payments, receipts, bank reconciliation,\r\nperiod-end processing and month-end "
           "reports,\r\nall kept in one book.\r\n\r\nQuillan is free software, released under "
           "the\r\nGNU General Public License version 3 or later.";
}

void TestMessages::texts() {
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
