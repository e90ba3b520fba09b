// The switchboard's transaction-entry commands: the Payment Vouchers and Receipts buttons
// warn when no vendor or customer exists and open their window either way; the menu items
// open them without the warning; the bank entries need neither.
#include "shell/switchboardwindow.h"
#include "shell/windowopening.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

class TestEntryCommands : public QObject {
    Q_OBJECT

private slots:
    void opensWindow_data();
    void opensWindow();
};

void TestEntryCommands::opensWindow_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("existing"); // a row of this table is made first
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("window");
    const auto row = [](const char* name, const char* command, const char* existing,
                        const QString& notice, const char* window) {
        QTest::newRow(name) << QString::fromLatin1(command) << QString::fromLatin1(existing)
                            << notice << QString::fromLatin1(window);
    };
    const char* vouchers = "frmPaymentVoucher";
    const char* receipts = "frmReceipts";
    const char* bank = "frmBankChargesInterest";
    row("vouchers button, no vendor", "cmdPaymentVouchers", "", noVendorsNotice(), vouchers);
    row("vouchers button, a vendor", "cmdPaymentVouchers", "tblVendors", {}, vouchers);
    row("vouchers menu item, no vendor", "mnuDataEntry2PaymentVouchers", "", {}, vouchers);
    row("receipts button, no customer", "cmdReceipts", "tblVendors", noCustomersNotice(), receipts);
    row("receipts button, a customer", "cmdReceipts", "tblCustomers", {}, receipts);
    row("receipts menu item, no customer", "mnuDataEntry2Receipts", "", {}, receipts);
    row("bank entries button", "cmdBankChargesInterestMisc", "", {}, bank);
    row("bank entries menu item", "mnuDataEntry2BankCharges", "", {}, bank);
}

void TestEntryCommands::opensWindow() {
    QFETCH(QString, command);
    QFETCH(QString, existing);
    QFETCH(QString, notice);
    QFETCH(QString, window);
    TestBook book;
    if (!existing.isEmpty())
        book.sql(QStringLiteral("INSERT INTO %1 VALUES ('X1', 'Name', '', '', '', '', '')")
                     .arg(existing));
    SwitchboardWindow switchboard(book.services);
    if (!notice.isEmpty())
        book.prompts.expect(notice);

    QString opened;
    bool busyWhileOpen = false;
    QTimer::singleShot(0, &switchboard, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        opened = modal->objectName();
        busyWhileOpen = book.busy.isBusy();
        modal->close();
    });
    QVERIFY(runCommand(&switchboard, command));
    book.prompts.verifyAllShown();
    QCOMPARE(opened, window);
    QVERIFY(!busyWhileOpen);
    QVERIFY(!book.busy.isBusy());
    QVERIFY(book.busy.setCount >= 1);
}

QTEST_MAIN(TestEntryCommands)
#include "tst_entrycommands.moc"
