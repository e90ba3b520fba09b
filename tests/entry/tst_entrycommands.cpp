// The switchboard's transaction-entry commands: the Payment Vouchers and Receipts buttons
// warn when no vendor or customer exists and open their window either way; the menu items
// open them without the warning; the bank entries need neither.
#include "shell/switchboardwindow.h"
#include "shell/windowopening.h"
#include "support/testbook.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
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
    const QString vouchers = QStringLiteral("frmPaymentVoucher");
    const QString receipts = QStringLiteral("frmReceipts");
    const QString bank = QStringLiteral("frmBankChargesInterest");
    QTest::newRow("vouchers button, no vendor") << "cmdPaymentVouchers"
                                                << "" << noVendorsNotice() << vouchers;
    QTest::newRow("vouchers button, a vendor") << "cmdPaymentVouchers"
                                               << "tblVendors"
                                               << "" << vouchers;
    QTest::newRow("vouchers menu item, no vendor") << "mnuDataEntry2PaymentVouchers"
                                                   << ""
                                                   << "" << vouchers;
    QTest::newRow("receipts button, no customer")
        << "cmdReceipts"
        << "tblVendors" << noCustomersNotice() << receipts;
    QTest::newRow("receipts button, a customer") << "cmdReceipts"
                                                 << "tblCustomers"
                                                 << "" << receipts;
    QTest::newRow("receipts menu item, no customer") << "mnuDataEntry2Receipts"
                                                     << ""
                                                     << "" << receipts;
    QTest::newRow("bank entries button") << "cmdBankChargesInterestMisc"
                                         << ""
                                         << "" << bank;
    QTest::newRow("bank entries menu item") << "mnuDataEntry2BankCharges"
                                            << ""
                                            << "" << bank;
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
    if (auto* button = switchboard.findChild<QAbstractButton*>(command)) {
        QVERIFY(button->isEnabled());
        button->click();
    } else {
        auto* item = switchboard.findChild<QAction*>(command);
        QVERIFY(item && item->isEnabled());
        item->trigger();
    }
    book.prompts.verifyAllShown();
    QCOMPARE(opened, window);
    QVERIFY(!busyWhileOpen);
    QVERIFY(!book.busy.isBusy());
    QVERIFY(book.busy.setCount >= 1);
}

QTEST_MAIN(TestEntryCommands)
#include "tst_entrycommands.moc"
