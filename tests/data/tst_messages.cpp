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
    // ---- master files
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
