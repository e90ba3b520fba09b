// The catalogue's texts, pinned: a text the user reads changes only on purpose. Every other
// test names the catalogue's function instead of copying its text.
#include "data/messages.h"

#include <QTest>

class TestMessages : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
};

void TestMessages::texts_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const QString& shown, const QString& expected) {
        QTest::newRow(name) << shown << expected;
    };
    // ---- amounts
    row("amountOutOfRange", Messages::amountOutOfRange(),
        "Amounts must lie between -$999,999,999,999.99 and $999,999,999,999.99.");
    // ---- book
    row("missingBook", Messages::missingBook("/opt/quillan"),
        "The Cashbook.mdb file is not in the \r\napplication directory of /opt/quillan.\r\n\r\n"
        "In order to continue, you must copy it\r\ninto the directory.");
    row("notABook", Messages::notABook("/b/cashbook.mdb"),
        "The file /b/cashbook.mdb is not a Quillan book.\r\n\r\nIt was left as it is.");
    row("newerBook", Messages::newerBook("/b/cashbook.mdb"),
        "The book /b/cashbook.mdb was made by a newer version of Quillan and cannot be opened by "
        "this one.\r\n\r\nIt was left as it is.");
    row("upgradeFailed", Messages::upgradeFailed("/b/cashbook.mdb", "disk full"),
        "The book /b/cashbook.mdb could not be brought up to date for this version of Quillan, "
        "so it was left exactly as it was.\r\n\r\ndisk full");
    row("bookUpgraded", Messages::bookUpgraded("/b/cashbook.before-format-1.mdb"),
        "The book was brought up to date for this version of Quillan. A copy of it as it was "
        "before is kept as /b/cashbook.before-format-1.mdb.");
    row("mergeAccounts", Messages::mergeAccounts({"1000", "6100"}),
        "These accounts are held twice in the chart of accounts, once with no department and "
        "once with a blank one: 1000, 6100.\r\n\r\nEntries now use the one with no department. "
        "In the Chart of Accounts, keep the right description on it and delete the other.");
    // ---- records
    row("noRecordToSave", Messages::noRecordToSave(), "There is no record to save.");
    row("saved", Messages::saved(), "Saved.");
    row("recordSaved", Messages::recordSaved(), "Saved!");
    row("noRecordsToDelete", Messages::noRecordsToDelete(), "There are no records to delete.");
    row("confirmDelete", Messages::confirmDelete(), "Are you sure?");
    // ---- entry
    row("notANumber", Messages::notANumber(), "Must enter a number.");
    row("missingAmount", Messages::missingAmount(), "Must enter an amount.");
    row("missingType", Messages::missingType(), "Must enter a Transaction Type.");
    row("missingAccount", Messages::missingAccount(), "Must enter a GL Account Code.");
    row("missingTransId", Messages::missingTransId(), "Must enter a transaction ID.");
    row("duplicateNumber", Messages::duplicateNumber(),
        "That Transaction ID appears to already exist.\r\nTransaction IDs must be unique.\r\n\r\n"
        "Please enter a new one.");
    row("moveRefused", Messages::moveRefused(),
        "The record has not passed validation.\r\n\r\nTherefore, you cannot move to the "
        "next/previous record.");
    row("closeQuestion", Messages::closeQuestion(),
        "The record has not passed validation.\r\n\r\nIf you close, your changes will be "
        "abandoned.\r\n\r\nDo you wish to close?");
    row("negativeAmountQuestion", Messages::negativeAmountQuestion(),
        "You have entered a negative amount.\r\n\r\nAre you sure?");
    row("unknownAccount", Messages::unknownAccount(),
        "That Account Code is unknown.\r\n\r\nPlease select from an existing Account Code, \r\n"
        "or create a new one.");
    row("accountHasDepartments", Messages::accountHasDepartments("5100"),
        "Account Code 5100 has more than one department.\r\n\r\nPlease choose the account and "
        "its department from the list (Alt+Down).");
    row("unknownTaxCode", Messages::unknownTaxCode(),
        "That Tax Code is unknown.\r\n\r\nPlease select from an existing Tax Code, \r\nor create "
        "a new one in the Tax Table.");
    row("taxCodeWithoutAccount", Messages::taxCodeWithoutAccount(),
        "The Tax Code has no GL Account Code, so the tax amount\r\nwould be posted to no "
        "account.\r\n\r\nPlease set its GL Account Code in the Tax Table.");
    row("bankAccountAsOffset", Messages::bankAccountAsOffset(),
        "You cannot select the GL Bank Account Code\r\nas it is the control account and is used "
        "\r\nautomatically as one half of the double-entry\r\nbook-keeping.");
    row("apControlAsOffset", Messages::apControlAsOffset(),
        "Integrated with AP.  Therefore, you cannot\r\nchoose the AP Control Account.");
    row("arControlAsOffset", Messages::arControlAsOffset(),
        "Integrated with AR.  Therefore, you cannot\r\nchoose the AR Control Account.");
    row("bankAccountNotSet", Messages::bankAccountNotSet(),
        "The bank's GL Account Code is not set, so this entry would post its bank side\r\nto no "
        "account.\r\n\r\nPlease set it first: Setup, Bank GL Account Code.");
    row("notSaved", Messages::notSaved(), "Not saved.");
    row("deleteNotOutstanding", Messages::deleteNotOutstanding(),
        "Cannot delete when Reconciliation Status\r\nis not Outstanding.");
    // ---- masters
    row("accountCodeRequired", Messages::accountCodeRequired(), "Must enter an Account Code.");
    row("departmentCodeRequired", Messages::departmentCodeRequired(),
        "Must enter a Department Code.");
    row("confirmDeleteAllAccounts", Messages::confirmDeleteAllAccounts(),
        "This will delete all the records.  \r\n\r\nAre you sure?");
    row("confirmRestoreSampleChart", Messages::confirmRestoreSampleChart(),
        "This will restore the sample CoA.\r\n\r\nAfter restoring, the form will close.\r\nYou "
        "will need to re-open the form to \r\nsee the restored CoA.");
    row("sampleChartWouldDuplicate", Messages::sampleChartWouldDuplicate(),
        "That would cause duplicate accounts.");
    row("notAPercentage", Messages::notAPercentage("Tax Rate"),
        "Tax Rate must be a percentage, such as 7, 7.5 or 7.00%.");
    row("partyNumberRequired", Messages::partyNumberRequired("Vendor"),
        "Must enter Vendor Number.");
    row("partyNameRequired", Messages::partyNameRequired("Customer"), "Must enter Customer Name.");
    row("notValidatedNotSaved", Messages::notValidatedNotSaved(),
        "Has not passed validation so not saved!");
    row("notFound", Messages::notFound("Customer ", "O'Brien"), "Customer O'Brien was not found.");
    // ---- master files
    const QString importTail =
        "this would cause duplication. \r\n\r\nBefore this procedure can work, you must have "
        "already exported \r\neg from Accpac / Adagio those fields to a text file using comma "
        "delimited format.\r\n\r\nDo you wish to continue?";
    row("exportAccountsQuestion", Messages::exportAccountsQuestion(),
        "This procedure exports the fields account codes, departments \r\nand descriptions to a "
        "text file (*.txt).\r\n\r\nDo you wish to continue?");
    row("exportCustomersQuestion", Messages::exportCustomersQuestion(),
        "This procedure exports the fields Customer ID, Customer Name, \r\nAddress1, Address2, "
        "Address3, Address4 and Postal Code to a text file (*.txt).\r\n\r\nDo you wish to "
        "continue?");
    row("exportVendorsQuestion", Messages::exportVendorsQuestion(),
        "This procedure exports the fields Vendor ID, Vendor Name, \r\nAddress1, Address2, "
        "Address3, Address4 and Postal Code to a text file (*.txt).\r\n\r\nDo you wish to "
        "continue?");
    row("importAccountsQuestion", Messages::importAccountsQuestion(),
        "This procedure imports the fields account codes, departments \r\nand descriptions from "
        "a text file (*.txt, *.csv).\r\n\r\nIt will add the accounts to any existing accounts "
        "except where \r\n" +
            importTail);
    row("importCustomersQuestion", Messages::importCustomersQuestion(),
        "This procedure imports the fields Customer Number, Customer Name,\r\nAddress1, "
        "Address2, Address3, Address4 and Postal Code from \r\na text file (*.txt, *.csv).\r\n"
        "\r\nIt will add the Customers to any existing records except where \r\n" +
            importTail);
    row("importVendorsQuestion", Messages::importVendorsQuestion(),
        "This procedure imports the fields Vendor Number, Vendor Name,\r\nAddress1, Address2, "
        "Address3, Address4 and Postal Code from \r\na text file (*.txt, *.csv).\r\n\r\nIt "
        "will add the Vendors to any existing records except where \r\n" +
            importTail);
    row("noRecordsToExport", Messages::noRecordsToExport(), "There are no records to export.");
    row("exportCancelled", Messages::exportCancelled(), "The export operation was cancelled.\r\n");
    row("createFileQuestion", Messages::createFileQuestion("/d/new.txt"),
        "The file /d/new.txt does not exist.\r\n\r\nDo you want to create it?");
    row("exportOverBook", Messages::exportOverBook("/d/cashbook.mdb"),
        "/d/cashbook.mdb\r\n\r\nis the open cashbook or one of its working files. An export "
        "cannot be written over it.\r\n\r\nNothing was exported. Choose another file name.");
    row("exportSucceeded", Messages::exportSucceeded("/d/Export.txt", 1),
        "Export File /d/Export.txt successfully created.\r\n\r\n1 records exported.\r\n");
    row("viewExportQuestion", Messages::viewExportQuestion(),
        "Would you like to view the contents of the exported file?");
    row("duplicateAccount", Messages::duplicateAccount("4000", "sales", "Sales"),
        "Account Code:  4000\r\nDept Code:     sales\r\nDescription:   Sales\r\n\r\nis a "
        "duplicate and will not be imported.\r\n\r\nDo you wish to continue?");
    row("duplicateCustomer", Messages::duplicateCustomer("C1", "Smith, John"),
        "Customer ID:  C1\r\nCustomer Name: Smith, John\r\n\r\nappears to be a duplicate and "
        "will not be imported.\r\n\r\nDo you wish to continue?");
    row("duplicateVendor", Messages::duplicateVendor("V1", "Acme"),
        "Vendor ID:  V1\r\nVendor Name: Acme\r\n\r\nappears to be a duplicate and will not be "
        "imported.\r\n\r\nDo you wish to continue?");
    row("recordsAdded", Messages::recordsAdded(0), "Records Added:  0");
    // ---- setup
    row("bankDetailsEditQuestion", Messages::bankDetailsEditQuestion(),
        "Please note that the settings here \r\nare extremely important for the proper\r\n"
        "functioning of the Cashbook.\r\n\r\nOnce setup, these settings should be left alone.\r\n"
        "\r\nBy default, the values are read-only.\r\n\r\nDo you wish to modify them?");
    row("onlyNumbersForVouchers", Messages::onlyNumbersForVouchers(),
        "You are allowed to enter only numbers\r\nfor automatic Payment Voucher numbering.");
    row("onlyNumbersForReceipts", Messages::onlyNumbersForReceipts(),
        "You are allowed to enter only numbers\r\nfor automatic Receipt numbering.");
    row("distinctNumberingAdvice", Messages::distinctNumberingAdvice(),
        "\r\n\r\nYour numbering sequence for Payment Vouchers \r\nand Receipts should be "
        "different.");
    row("takeOnBalanceNotAmount", Messages::takeOnBalanceNotAmount(),
        "The Take-on Bank Balance must be an amount,\r\nfor example 1,234.56 or -250.00.");
    row("mustEnterSetting", Messages::mustEnterSetting("GL Rate Type"), "Must enter GL Rate Type.");
    row("mustEnterCompanyName", Messages::mustEnterCompanyName(), "Must enter a Company Name.");
    row("noSettingsRecordToSave", Messages::noSettingsRecordToSave(),
        "There is no record to save.");
    // ---- shell
    row("errorReport, window handler",
        Messages::errorReport(3021, "No current record.", "frmVendors", "cmdSave"),
        "An error has occurred.\r\n\r\nError Number: 3021\r\nError Description: No current "
        "record.\r\nForm: frmVendors\r\nRoutine: cmdSave");
    row("errorReport, procedure",
        Messages::errorReport(-2147467259, "Duplicate.", {}, "PreparetblDistribution"),
        "An error has occurred.\r\n\r\nError Number: -2147467259\r\nError Description: "
        "Duplicate.\r\nRoutine: PreparetblDistribution");
    row("functionKeyList", Messages::functionKeyList(),
        "F1  - Help\r\nF2  - Calculator\r\nF3  - Undefined\r\nF4  - Undefined\r\nF5  - "
        "Undefined\r\nF6  - Undefined\r\nF7  - Undefined\r\nF8  - Undefined\r\nF9  - "
        "Undefined\r\nF10 - Quit Quillan\r\nF11 - Undefined\r\nF12 - Undefined");
    row("quitQuestion", Messages::quitQuestion(), "Do you wish to quit Quillan?");
    row("aboutText", Messages::aboutText(),
        "Quillan v1.0\r\n\r\nDesign Philosophy: Does the Job;Easy to Use; Affordable to Buy\r\n"
        "\r\nWritten by the Quillan project.\r\nA cashbook for the small business:\r\npayments, "
        "receipts, bank reconciliation,\r\nperiod-end processing and month-end reports,\r\nall "
        "kept in one book.\r\n\r\nQuillan is free software, released under the\r\nGNU General "
        "Public License version 3 or later.");
    // ---- reconciliation
    row("periodEndQuestion", Messages::periodEndQuestion("March", "2024"),
        "This advances the Cashbook to the next fiscal period. \r\nIf the current fiscal period "
        "is 12, then this will \r\nalso advance the fiscal year.\r\n\r\nBefore proceeding, you "
        "should have printed\r\nany reports such as the Cashbook Report, \r\nBank "
        "Reconciliation Report, Tax Analysis \r\nReport and GL Distribution Reports, and , "
        "\r\nif applicable, exported to Accpac/Adagio.\r\n\r\nThe current month is March.\r\n"
        "The current year is 2024.\r\n\r\nDo you wish to proceed?");
    row("periodEndCompleted", Messages::periodEndCompleted("January", "2025"),
        "Period End Processing completed.\r\n\r\nThe current month is now January.\r\nThe "
        "current year is 2025.");
    row("statusNotAllowed", Messages::statusNotAllowed("2.5"),
        "\"2.5\" is not a reconciliation status.\r\n\r\nEnter 1 (Outstanding), 2 (Reconciled), "
        "3 (Reversed) or 4 (Void); an empty status or a number above 4 is taken as 1.\r\n\r\n"
        "The status was left as it was.");
    row("statusNotSaved", Messages::statusNotSaved("1001", "disk I/O error"),
        "The status of transaction 1001 could not be saved:\r\ndisk I/O error\r\n\r\nIts "
        "status and the balances are as they were.");
    // ---- gl export
    row("exportToAccpacQuestion", Messages::exportToAccpacQuestion(),
        "This will export the current month C/B data.\r\n\r\nThe resulting file (GLBATCH.TXT "
        "by default) can be imported \r\ninto Accpac Plus / Adagio as an external batch using "
        "the file\r\nformat of Comma Separated Values (CSV).\r\n\r\nAfter exporting the data, "
        "the procedure will prompt you \r\nas to whether you want to view the data in an "
        "editor.\r\n\r\nBefore running this procedure, you should have examined\r\nthe GL "
        "Distribution Reports on the Reports Menu to verify\r\nyour transactions.\r\n\r\nDo "
        "you wish to proceed?");
    row("includeExportedQuestion", Messages::includeExportedQuestion(),
        "Do you want to include any records already exported\r\nfor the current month?");
    row("noCurrentMonthTransactions", Messages::noCurrentMonthTransactions(),
        "There are no current month transactions.");
    row("markExportedQuestion", Messages::markExportedQuestion(),
        "Would you like to mark the records as exported?");
    row("exportedAndMarked", Messages::exportedAndMarked(),
        "Exported procedure completed.\r\n\r\nRecords marked as exported.");
    row("transactionTextNotWritable",
        Messages::transactionTextNotWritable("000123", "05/01/2003", "its description", "x"),
        "Transaction 000123 of 05/01/2003 holds in its description:\r\n\r\nx\r\n\r\nThe GL "
        "batch file is Windows-1252 text, which cannot hold this text. Change it and export "
        "again.\r\n\r\nNothing was exported.");
    row("settingTextNotWritable", Messages::settingTextNotWritable("GLRateType", "x"),
        "The Accpac / Adagio setting GLRateType holds:\r\n\r\nx\r\n\r\nThe GL batch file is "
        "Windows-1252 text, which cannot hold this text. Change it and export again.\r\n\r\n"
        "Nothing was exported.");
    // ---- reports
    row("printingError", Messages::printingError(),
        "A printing error has occurred. \r\nYou may not have a Printer installed.");
    row("paymentVoucherNotSelected", Messages::paymentVoucherNotSelected(),
        "You have not selected a PV.");
    row("receiptNotSelected", Messages::receiptNotSelected(), "You have not selected a Receipt.");
    row("noCurrentFiscalMonth", Messages::noCurrentFiscalMonth(),
        "The current fiscal month is not set.\r\nSet it in Fiscal Year and Bank Details first.");
    // ---- safety (the program's own texts; the damage message differs with a backup)
    row("bookDamaged, a backup", Messages::bookDamaged("page 7: bad", "/b/backups/x.mdb"),
        "The book is damaged: page 7: bad\r\n\r\nThe last backup is /b/backups/x.mdb. Restore "
        "it with Tools > Restore Book... before entering more work.");
    row("bookDamaged, no backup", Messages::bookDamaged("page 7: bad", {}),
        "The book is damaged: page 7: bad\r\n\r\nNo backup of the book was found. Copy the "
        "book somewhere safe before entering more work.");
    row("bookInUseElsewhere, a lock that names nobody",
        Messages::bookInUseElsewhere("/b/cashbook.mdb", {}, 0),
        "The book /b/cashbook.mdb is open in another Quillan program.\r\n\r\nIt was left as it "
        "is; close that program first and try again. If that program is no longer running, "
        "delete the file /b/cashbook.mdb.lock.");
}

void TestMessages::texts() {
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
