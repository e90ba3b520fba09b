// The catalogue's texts that are put together: from values given, or from parts that texts
// share. A text that is one literal is not copied here; every test names the catalogue's
// function instead of its text.
#include "data/messages.h"
#include "support/datarows.h"

#include <QTest>

class TestMessages : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts() {
        auto [shown, expected] = fetch<QString, QString>("shown", "expected");
        QCOMPARE(shown, expected);
    }
};

void TestMessages::texts_data() {
    columns<QString, QString>("shown", "expected");
    const auto row = [](const char* name, const QString& shown, const QString& expected) {
        QTest::newRow(name) << shown << expected;
    };
    // ---- book
    row("missingBook", Messages::missingBook("/b/gone.mdb"),
        "The book /b/gone.mdb was not found.\r\n\r\nNothing was made in its place. To start a "
        "new book there, use New Book... on the File menu.");
    row("notABook", Messages::notABook("/b/cashbook.mdb"),
        "The file /b/cashbook.mdb is not a Quillan book.\r\n\r\nIt was left as it is.");
    row("newerBook", Messages::newerBook("/b/cashbook.mdb"),
        "The book /b/cashbook.mdb was made by a newer version of Quillan and cannot be opened by "
        "this one.\r\n\r\nIt was left as it is.");
    row("unknownBookFormat", Messages::unknownBookFormat("/b/cashbook.mdb", -1),
        "The book /b/cashbook.mdb carries the format number -1, which no version of Quillan "
        "made, so it cannot be opened.\r\n\r\nIt was left as it is.");
    row("bookNotAsMade",
        Messages::bookNotAsMade("/b/cashbook.mdb",
                                {Messages::schemaExtra("trigger", "trgX"),
                                 Messages::schemaMissing("field", "tblVendors.PostalCode"),
                                 Messages::schemaChanged("table", "tblCustomers")}),
        "The book /b/cashbook.mdb is not as Quillan makes a book of its format: it holds the "
        "trigger trgX, which Quillan does not make; it has no field tblVendors.PostalCode; its "
        "table tblCustomers is not as Quillan makes it.\r\n\r\nIt was left as it is.");
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
    // ---- server books
    row("serverUnreachable",
        Messages::serverUnreachable("db:5433", "postgresql://ann@db:5433/books", "refused\n"),
        "The database server db:5433 did not answer, so the book postgresql://ann@db:5433/books "
        "cannot be opened. The server may be stopped, or not reachable from this computer."
        "\r\n\r\nrefused");
    row("serverRefusedLogin",
        Messages::serverRefusedLogin("db", "postgresql://ann@db/books", "no such role"),
        "The database server db refused to open the book postgresql://ann@db/books for you. "
        "Check the user name, the password and the database name.\r\n\r\nno such role");
    row("copyDiffers", Messages::copyDiffers("/b/copy.mdb", {"tblCashbook", "tblVendors"}),
        "The copy in /b/copy.mdb does not hold what the book holds, so it was not kept: "
        "tblCashbook; tblVendors.");
    // ---- entry
    row("accountHasDepartments", Messages::accountHasDepartments("5100"),
        "Account Code 5100 has more than one department.\r\n\r\nPlease choose the account and "
        "its department from the list (Alt+Down).");
    // ---- masters
    row("notAPercentage", Messages::notAPercentage("Tax Rate"),
        "Tax Rate must be a percentage, such as 7, 7.5 or 7.00%.");
    row("partyNumberRequired", Messages::partyNumberRequired("Vendor"),
        "Must enter Vendor Number.");
    row("partyNameRequired", Messages::partyNameRequired("Customer"), "Must enter Customer Name.");
    row("notFound", Messages::notFound("Customer ", "O'Brien"), "Customer O'Brien was not found.");
    // ---- master files
    row("createFileQuestion", Messages::createFileQuestion("/d/new.txt"),
        "The file /d/new.txt does not exist.\r\n\r\nDo you want to create it?");
    row("exportOverBook", Messages::exportOverBook("/d/cashbook.mdb"),
        "/d/cashbook.mdb\r\n\r\nis the open cashbook or one of its working files. An export "
        "cannot be written over it.\r\n\r\nNothing was exported. Choose another file name.");
    row("exportSucceeded", Messages::exportSucceeded("/d/Export.txt", 1),
        "Export File /d/Export.txt successfully created.\r\n\r\n1 records exported.\r\n");
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
    row("mustEnterSetting", Messages::mustEnterSetting("GL Rate Type"), "Must enter GL Rate Type.");
    // ---- shell
    row("errorReport, window handler",
        Messages::errorReport(3021, "No current record.", "frmVendors", "cmdSave"),
        "An error has occurred.\r\n\r\nError Number: 3021\r\nError Description: No current "
        "record.\r\nForm: frmVendors\r\nRoutine: cmdSave");
    row("errorReport, procedure",
        Messages::errorReport(-2147467259, "Duplicate.", {}, "PreparetblDistribution"),
        "An error has occurred.\r\n\r\nError Number: -2147467259\r\nError Description: "
        "Duplicate.\r\nRoutine: PreparetblDistribution");
    // ---- statement
    row("statementWhichAccount", Messages::statementWhichAccount("12-345"),
        "No single account of this statement file has the book's bank account number "
        "12-345.\n\nWhich account's statement should be imported?");
    row("statementWhichAccount without a number", Messages::statementWhichAccount(""),
        "The book has no bank account number (Fiscal Period and Bank Details).\n\nWhich "
        "account's statement should be imported?");
    row("statementAccountChoice",
        Messages::statementAccountChoice("DE89 3704", 12, QDate(2024, 3, 1), QDate(2024, 3, 31)),
        "DE89 3704: 12 line(s), 01 Mar 2024 to 31 Mar 2024");
    row("statementAccountChoice without lines",
        Messages::statementAccountChoice("", 0, QDate(), QDate()), "(no account number): no lines");
    row("statementCurrencyQuestion", Messages::statementCurrencyQuestion("EUR", "USD"),
        "The statement is in EUR, but the book's home currency is USD. Its amounts would be "
        "taken as they stand, without conversion.\n\nImport it anyway?");
    row("statementPendingLeftOut", Messages::statementPendingLeftOut(2),
        "2 entry(ies) of the statement are not booked by the bank yet and were left out; they "
        "come again on a later statement.");
    // ---- reconciliation
    row("periodEndQuestion", Messages::periodEndQuestion("March", "2024"),
        "This advances the Cashbook to the next fiscal period. \r\nIf the current fiscal "
        "period "
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
    row("transactionTextNotWritable",
        Messages::transactionTextNotWritable("000123", "05/01/2003", "its description", "x"),
        "Transaction 000123 of 05/01/2003 holds in its description:\r\n\r\nx\r\n\r\nThe GL "
        "batch file is Windows-1252 text, which cannot hold this text. Change it and export "
        "again.\r\n\r\nNothing was exported.");
    row("settingTextNotWritable", Messages::settingTextNotWritable("GLRateType", "x"),
        "The Accpac / Adagio setting GLRateType holds:\r\n\r\nx\r\n\r\nThe GL batch file is "
        "Windows-1252 text, which cannot hold this text. Change it and export again.\r\n\r\n"
        "Nothing was exported.");
    // ---- safety (the program's own texts; the damage message differs with a backup)
    row("bookDamaged, a backup", Messages::bookDamaged("page 7: bad", "/b/backups/x.mdb"),
        "The book is damaged: page 7: bad\r\n\r\nThe last backup is /b/backups/x.mdb. Restore "
        "it with Tools > Restore Book... before entering more work.");
    row("bookRestoredOverDamaged", Messages::bookRestoredOverDamaged("/b/x.mdb", "/b/d.mdb"),
        "The book was restored from /b/x.mdb.\r\n\r\nThe damaged book it replaced is kept, byte "
        "for byte, as /b/d.mdb.");
    row("restoredBookPutBack", Messages::restoredBookPutBack("no row"),
        "The restored book could not be opened: no row\r\n\r\nThe book it replaced was put "
        "back in its place and is open again.");
    row("bookNotReopened", Messages::bookNotReopened("no row", "/b/k.mdb"),
        "The book could not be opened after the restore: no row\r\n\r\nThe book as it was "
        "before the restore is kept as /b/k.mdb. Quillan will close; put that file in the book's "
        "place before starting it again.");
    row("bookDamaged, no backup", Messages::bookDamaged("page 7: bad", {}),
        "The book is damaged: page 7: bad\r\n\r\nNo backup of the book was found. Copy the "
        "book somewhere safe before entering more work.");
    row("bookInUseElsewhere, a lock that names nobody",
        Messages::bookInUseElsewhere("/b/cashbook.mdb", {}, 0),
        "The book /b/cashbook.mdb is open in another Quillan program.\r\n\r\nIt was left as it "
        "is; close that program first and try again. If that program is no longer running, "
        "delete the file /b/cashbook.mdb.lock.");
}

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
