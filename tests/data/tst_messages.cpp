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
    // ---- masters
    QTest::newRow("noRecordToSave") << Messages::noRecordToSave() << "There is no record to save.";
    QTest::newRow("recordSaved") << Messages::recordSaved() << "Saved!";
    QTest::newRow("noRecordsToDelete")
        << Messages::noRecordsToDelete() << "There are no records to delete.";
    QTest::newRow("confirmDelete") << Messages::confirmDelete() << "Are you sure?";
    QTest::newRow("accountCodeRequired")
        << Messages::accountCodeRequired() << "Must enter an Account Code.";
    QTest::newRow("departmentCodeRequired")
        << Messages::departmentCodeRequired() << "Must enter a Department Code.";
    QTest::newRow("confirmDeleteAllAccounts")
        << Messages::confirmDeleteAllAccounts()
        << "This will delete all the records.  \r\n\r\nAre you sure?";
    QTest::newRow("confirmRestoreSampleChart")
        << Messages::confirmRestoreSampleChart()
        << "This will restore the sample CoA.\r\n\r\nAfter restoring, the form will close."
           "\r\nYou will need to re-open the form to \r\nsee the restored CoA.";
    QTest::newRow("sampleChartWouldDuplicate")
        << Messages::sampleChartWouldDuplicate() << "That would cause duplicate accounts.";
    QTest::newRow("notAPercentage") << Messages::notAPercentage("Tax Rate")
                                    << "Tax Rate must be a percentage, such as 7, 7.5 or 7.00%.";
    QTest::newRow("partyNumberRequired")
        << Messages::partyNumberRequired("Vendor") << "Must enter Vendor Number.";
    QTest::newRow("partyNameRequired")
        << Messages::partyNameRequired("Customer") << "Must enter Customer Name.";
    QTest::newRow("notValidatedNotSaved")
        << Messages::notValidatedNotSaved() << "Has not passed validation so not saved!";
    QTest::newRow("notFound") << Messages::notFound("Customer ", "O'Brien")
                              << "Customer O'Brien was not found.";
    // ---- master files
    // ---- setup
    // ---- shell
}

void TestMessages::texts() {
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
