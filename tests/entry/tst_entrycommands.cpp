// The switchboard's payment voucher commands: the button warns when no vendor exists and
// opens the window either way; the menu item opens it without the warning.
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
    void paymentVouchers_data();
    void paymentVouchers();
};

void TestEntryCommands::paymentVouchers_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("vendorExists");
    QTest::addColumn<bool>("notice");
    QTest::newRow("button, no vendor") << "cmdPaymentVouchers" << false << true;
    QTest::newRow("button, a vendor") << "cmdPaymentVouchers" << true << false;
    QTest::newRow("menu item, no vendor") << "mnuDataEntry2PaymentVouchers" << false << false;
}

void TestEntryCommands::paymentVouchers() {
    QFETCH(QString, command);
    QFETCH(bool, vendorExists);
    QFETCH(bool, notice);
    TestBook book;
    if (vendorExists)
        book.sql(
            QStringLiteral("INSERT INTO tblVendors (VendorID, VendorName) VALUES ('V1', 'Acme')"));
    SwitchboardWindow switchboard(book.services);
    if (notice)
        book.prompts.expect(noVendorsNotice());

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
    QCOMPARE(opened, QStringLiteral("frmPaymentVoucher"));
    QVERIFY(!busyWhileOpen);
    QVERIFY(!book.busy.isBusy());
    QVERIFY(book.busy.setCount >= 1);
}

QTEST_MAIN(TestEntryCommands)
#include "tst_entrycommands.moc"
