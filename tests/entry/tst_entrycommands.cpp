// The switchboard's transaction-entry commands: the Payment Vouchers and Receipts buttons
// warn when no vendor or customer exists and open their window either way; the menu items
// open them without the warning; the bank entries need neither.
#include "shell/switchboardwindow.h"
#include "shell/windowopening.h"
#include "support/datarows.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

class TestEntryCommands : public QObject {
    Q_OBJECT

private slots:
    void opensWindow_data() {
        // existing: a row of this table is made first
        columns<QString, QString, QString, QString>("command", "existing", "notice", "window");
        const char* vouchers = "frmPaymentVoucher";
        const char* receipts = "frmReceipts";
        const char* bank = "frmBankChargesInterest";
        addRow("vouchers button, no vendor", "cmdPaymentVouchers", "", noVendorsNotice(), vouchers);
        addRow("vouchers button, a vendor", "cmdPaymentVouchers", "tblVendors", "", vouchers);
        addRow("vouchers menu item, no vendor", "mnuDataEntry2PaymentVouchers", "", "", vouchers);
        addRow("receipts button, no customer", "cmdReceipts", "tblVendors", noCustomersNotice(),
               receipts);
        addRow("receipts button, a customer", "cmdReceipts", "tblCustomers", "", receipts);
        addRow("receipts menu item, no customer", "mnuDataEntry2Receipts", "", "", receipts);
        addRow("bank entries button", "cmdBankChargesInterestMisc", "", "", bank);
        addRow("bank entries menu item", "mnuDataEntry2BankCharges", "", "", bank);
    }

    void opensWindow() {
        auto [command, existing, notice, window] =
            fetch<QString, QString, QString, QString>("command", "existing", "notice", "window");
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
};

QTEST_MAIN(TestEntryCommands)
#include "tst_entrycommands.moc"
