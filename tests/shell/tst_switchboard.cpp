// The switchboard's buttons and menus, the function keys, quit, help, about and the
// licence window, and the helpers the switchboard opens its task windows with.
#include "shell/licenceagreementwindow.h"
#include "shell/shellprocs.h"
#include "shell/switchboardwindow.h"
#include "shell/windowopening.h"
#include "support/testbook.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

namespace {

const QString kCrlf = QStringLiteral("\r\n");

QString functionKeyListText() {
    QStringList lines;
    for (int key = 1; key <= 12; ++key)
        lines << QStringLiteral("F%1 - %2").arg(key, -2).arg(QLatin1String(
                     key == 1 ? "Help" : key == 2 ? "Calculator" : key == 10 ? "Quit Quillan"
                                                                              : "Undefined"));
    return lines.join(kCrlf);
}

// Records the key presses that reach a widget (the Shift key itself aside).
class KeyRecorder : public QObject {
public:
    QList<int> keys;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Shift)
            keys << static_cast<QKeyEvent*>(event)->key();
        return false;
    }
};

// A task window with one field, handling keys as every window does.
struct FieldWindow {
    explicit FieldWindow(Services& services) {
        window.setObjectName(QStringLiteral("frmSample"));
        auto* layout = new QVBoxLayout(&window);
        field = new QLineEdit(&window);
        layout->addWidget(field);
        field->installEventFilter(&recorder);
        installFunctionKeys(&window, services, QStringLiteral("frmSample"));
        window.show();
        field->setFocus();
    }
    QDialog window;
    QLineEdit* field = nullptr;
    KeyRecorder recorder;
};

// Runs `check` on the modal window once it is open, then closes it.
void whenModal(const std::function<void(QWidget*)>& check) {
    QTimer::singleShot(0, qApp, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        check(modal);
        if (modal)
            modal->close();
    });
}

bool hasHandler(QObject* command, QObject* switchboard) {
    // Disconnecting reports whether the switchboard had bound an action to the command.
    if (auto* button = qobject_cast<QAbstractButton*>(command))
        return QObject::disconnect(button, &QAbstractButton::clicked, switchboard, nullptr);
    return QObject::disconnect(static_cast<QAction*>(command), &QAction::triggered, switchboard,
                               nullptr);
}

} // namespace

class TestSwitchboard : public QObject {
    Q_OBJECT
private slots:
    void buttonsAndMenus();
    void enabledExactlyWhenBound();
    void functionKeyListNotReachingTheField_data();
    void functionKeyListNotReachingTheField();
    void calculatorKey();
    void quitting_data();
    void quitting();
    void helpAtTheWindowsTopic();
    void aboutBox();
    void licenceAgreement();
    void periodEndMenuPressesTheButton();
    void partyChecks();
    void transactionWindowUnderHourglass();
};

// Every button on its page and every menu item, with its exact caption.
void TestSwitchboard::buttonsAndMenus() {
    const char* const buttons[][3] = {
        {"&Setup", "cmdCompanyDetails", "Company Details"},
        {"&Setup", "cmdBankDetails", "Fiscal Year and Bank Details"},
        {"&Setup", "cmdTransactionType", "Transaction Type"},
        {"&Setup", "cmdReconciliationStatuses", "Reconciliation Statuses"},
        {"&Setup", "cmdDepartments", "Departments"},
        {"&Setup", "cmdChartOfAccounts", "Chart of Accounts"},
        {"&Setup", "cmdAccountCodeSettings", "Bank GL Account Code"},
        {"&Setup", "cmdTaxTable", "Tax Table"},
        {"&Setup", "cmdAccpacSettings", "Accpac / Adagio"},
        {"&Setup", "cmdCustomers", "Customers"},
        {"&Setup", "cmdVendors", "Vendors"},
        {"&Transactions", "cmdPaymentVouchers", "Payment Vouchers"},
        {"&Transactions", "cmdReceipts", "Receipts"},
        {"&Transactions", "cmdBankChargesInterestMisc", "Bank Charges / Interest / Misc"},
        {"&Transactions", "cmdCashbook", "Cashbook"},
        {"&Transactions", "cmdPEProcessing", "Period End Processing"},
        {"&Reports", "cmdPrintPaymentVouchers", "Payment Vouchers"},
        {"&Reports", "cmdPrintReceipt", "Receipts"},
        {"&Reports", "cmdTaxAnalysis", "Tax Analysis Current Month"},
        {"&Reports", "cmdGLListing", "GL Listing  Current Month"},
        {"&Reports", "cmdGLSummary", "GL Summary Current Month"},
        {"&Reports", "cmdAllTransactions", "All Transactions"},
        {"&Reports", "cmdBankReconciliation", "Bank Reconciliation"},
        {"&Reports", "cmdCashbookReport", "Cashbook"},
        {"&Import/Export", "cmdExportToAccpac", "Export Current Month to Accpac / Adagio"},
        {"&Import/Export", "cmdExportVendors", "Export Vendors"},
        {"&Import/Export", "cmdExportCustomers", "Export Customers"},
        {"&Import/Export", "cmdExportCOA", "Export Chart of Accounts"},
        {"&Import/Export", "cmdImportVendors", "Import Vendors"},
        {"&Import/Export", "cmdImportCustomers", "Import Customers"},
        {"&Import/Export", "cmdImportCOA", "Import Chart of Accounts"},
    };
    const QList<std::pair<QString, QStringList>> menus = {
        {"mnuFile", {"&File", "mnuFileExit", "&Exit"}},
        {"mnuDataEntry",
         {"&Setup", "mnuDataEntryCompanyDetails", "&Company Details",
          "mnuDataEntryFiscalYearAndBankDetails", "&Fiscal Year and Bank Details",
          "mnuDataEntryTransactionType", "&Transaction Type", "mnuDataEntryReconciliationStatuses",
          "&Reconciliation Statuses", "mnuDataEntryDepartments", "De&partments",
          "mnuDataEntryCOA", "Chart of &Accounts", "mnuDataEntryTaxTable", "Ta&x Table",
          "mnuDataEntryAccpacAdagioSettings", "Accpac and Adagio S&ettings",
          "mnuDataEntryCustomers", "C&ustomers", "mnuDataEntryVendors", "&Vendors"}},
        {"mnuDataEntry2",
         {"&Data Entry", "mnuDataEntry2PaymentVouchers", "&Payment Vouchers",
          "mnuDataEntry2Receipts", "&Receipts", "mnuDataEntry2BankCharges",
          "&Bank Charges, Int, Misc", "mnuDataEntry2Cashbook", "&Cashbook",
          "mnuDataEntry2PeriodEndProcessing", "Period &End Processing"}},
        {"mnuReports",
         {"&Reports", "mnuReportsPaymentVouchers", "&Payment Vouchers", "mnuReportsReceipts",
          "&Receipts", "mnuReportsCashbook", "&Cashbook", "mnuReportsBankReconciliation",
          "&Bank Reconciliation", "mnuReportsAllTransactions", "&All Transactions",
          "mnuReportsGLSummary", "&GL Summary", "mnuReportsGLListing", "G&L Listing",
          "mnuReportsTaxAnalysis", "&Tax Analysis"}},
        {"mnuTools",
         {"&Tools", "mnuToolsCalculator", "&Calculator (F2)", "mnuToolsCompactDatabase",
          "C&ompact Database"}},
        {"mnuHelp",
         {"&Help", "mnuHelpSystem", "Help &System  (F1)", "mnuHelpLicenceAgreement",
          "&Licence Agreement", "mnuAbout", "&About"}}};

    TestBook book;
    SwitchboardWindow switchboard(book.services);
    auto* tabs = switchboard.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    for (const auto& [page, name, caption] : buttons) {
        auto* button = switchboard.findChild<QPushButton*>(QLatin1String(name));
        QVERIFY2(button, name);
        QCOMPARE(button->text(), QLatin1String(caption));
        const int index = tabs->indexOf(button->parentWidget());
        QVERIFY2(index >= 0, name);
        QCOMPARE(tabs->tabText(index), QLatin1String(page));
    }
    QCOMPARE(switchboard.windowTitle(), QStringLiteral("Quillan - Main Menu"));
    QStringList pages;
    for (int i = 0; i < tabs->count(); ++i)
        pages << tabs->tabText(i);
    QCOMPARE(pages,
             (QStringList{"&Company", "&Setup", "&Transactions", "&Reports", "&Import/Export"}));
    QCOMPARE(switchboard.findChild<QPushButton*>(QStringLiteral("cmdVendors"))->toolTip(),
             QStringLiteral("To identify to whom payments are made"));
    bool keyLine = false;
    for (QLabel* label : switchboard.findChildren<QLabel*>())
        keyLine |= label->text() == QStringLiteral("            F1 Help       F2  Calculator"
                                                   "       F10 Quit      Esc Undo/Cancel");
    QVERIFY(keyLine);
    QStringList menuNames;
    for (QAction* action : switchboard.menuBar()->actions())
        menuNames << action->menu()->objectName();
    QCOMPARE(menuNames.size(), menus.size());
    for (int m = 0; m < menus.size(); ++m) {
        const auto& [menu, captions] = menus[m];
        QCOMPARE(menuNames[m], menu);
        QMenu* found = switchboard.menuBar()->findChild<QMenu*>(menu);
        QCOMPARE(found->title(), captions.first());
        QStringList items{found->title()};
        for (QAction* action : found->actions())
            items << action->objectName() << action->text();
        QCOMPARE(items, captions);
    }
}

void TestSwitchboard::enabledExactlyWhenBound() {
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    QList<QObject*> commands;
    for (QAbstractButton* button : switchboard.findChildren<QAbstractButton*>())
        if (button->objectName().startsWith(QLatin1String("cmd")))
            commands << button;
    for (QAction* action : switchboard.findChildren<QAction*>())
        if (action->objectName().startsWith(QLatin1String("mnu")))
            commands << action;
    QCOMPARE(commands.size(), 33 + 29);
    // The commands the shell itself carries out are always there.
    for (const char* name : {"cmdHelp", "cmdQuit", "mnuFileExit", "mnuToolsCalculator",
                             "mnuToolsCompactDatabase", "mnuHelpSystem", "mnuAbout"})
        QVERIFY2(switchboard.findChild<QObject*>(name)->property("enabled").toBool(), name);
    // The Period End item follows its button (which it presses).
    auto* periodEnd =
        switchboard.findChild<QAction*>(QStringLiteral("mnuDataEntry2PeriodEndProcessing"));
    QCOMPARE(
        periodEnd->isEnabled(),
        switchboard.findChild<QAbstractButton*>(QStringLiteral("cmdPEProcessing"))->isEnabled());
    commands.removeOne(periodEnd);
    // No enabled command without an action, and no bound command left disabled.
    for (QObject* command : commands) {
        const bool enabled = command->property("enabled").toBool();
        QVERIFY2(enabled == hasHandler(command, &switchboard), qPrintable(command->objectName()));
    }
}

void TestSwitchboard::functionKeyListNotReachingTheField_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    for (int key : {Qt::Key_F3, Qt::Key_F5, Qt::Key_F9, Qt::Key_F11, Qt::Key_F12})
        QTest::addRow("F%d", key - Qt::Key_F1 + 1) << key << int(Qt::NoModifier);
    QTest::newRow("Shift+F5") << int(Qt::Key_F5) << int(Qt::ShiftModifier);
}

void TestSwitchboard::functionKeyListNotReachingTheField() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TestBook book;
    FieldWindow sample(book.services);
    QTest::keyClicks(sample.field, QStringLiteral("ab"));
    book.prompts.expect(functionKeyListText());
    QTest::keyClick(sample.field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().first().icon, Prompts::Icon::Information);
    QCOMPARE(sample.recorder.keys, (QList<int>{Qt::Key_A, Qt::Key_B}));
    QCOMPARE(sample.field->text(), QStringLiteral("ab"));
}

void TestSwitchboard::calculatorKey() {
    TestBook book;
    book.launcher.available = {QStringLiteral("xcalc"), QStringLiteral("gnome-calculator")};
    FieldWindow sample(book.services);
    QTest::keyClick(sample.field, Qt::Key_F2);
    QVERIFY(sample.recorder.keys.isEmpty());
    QCOMPARE(book.launcher.started.size(), 1);
    QCOMPARE(book.launcher.started.first().program, QStringLiteral("/usr/bin/gnome-calculator"));
    // Tools > Calculator on the switchboard starts the same program.
    SwitchboardWindow switchboard(book.services);
    switchboard.findChild<QAction*>(QStringLiteral("mnuToolsCalculator"))->trigger();
    QCOMPARE(book.launcher.started.size(), 2);
    // None on the path: the error report labelled "Calculator", and still no key.
    book.launcher.available.clear();
    book.prompts.expectMatch(
        QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: 53\r\n"
                       "Error Description: [^\r]+\r\nRoutine: Calculator$"));
    QTest::keyClick(sample.field, Qt::Key_F2);
    QVERIFY(book.prompts.verifyAllShown());
    QVERIFY(sample.recorder.keys.isEmpty());
    QCOMPARE(book.launcher.started.size(), 2);
}

void TestSwitchboard::quitting_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("yes");
    for (const char* how : {"F10", "Shift+F10", "F10 in a field", "cmdQuit", "mnuFileExit"})
        QTest::addRow("%s, No", how) << QString::fromLatin1(how) << false;
    QTest::newRow("Shift+F10, Yes") << "Shift+F10" << true;
}

void TestSwitchboard::quitting() {
    QFETCH(QString, how);
    QFETCH(bool, yes);
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    switchboard.show();
    FieldWindow sample(book.services);
    book.prompts.expect(QStringLiteral("Do you wish to quit Quillan?"),
                        yes ? Prompts::Answer::Yes : Prompts::Answer::No);
    if (how == QLatin1String("F10"))
        QTest::keyClick(&switchboard, Qt::Key_F10);
    else if (how == QLatin1String("Shift+F10"))
        QTest::keyClick(&switchboard, Qt::Key_F10, Qt::ShiftModifier);
    else if (how == QLatin1String("F10 in a field"))
        QTest::keyClick(sample.field, Qt::Key_F10);
    else if (how == QLatin1String("cmdQuit"))
        switchboard.findChild<QAbstractButton*>(how)->click();
    else
        switchboard.findChild<QAction*>(how)->trigger();
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().first().defaultButton, Prompts::Answer::No);
    QCOMPARE(book.endProgramCalls, yes ? 1 : 0);
    QVERIFY(sample.recorder.keys.isEmpty());
    QVERIFY(book.db.isOpen());
    QVERIFY(switchboard.isVisible());
}

void TestSwitchboard::helpAtTheWindowsTopic() {
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    switchboard.show();
    switchboard.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&switchboard));

    QTest::keyClick(&switchboard, Qt::Key_F1);
    switchboard.findChild<QAbstractButton*>(QStringLiteral("cmdHelp"))->click();
    switchboard.findChild<QAction*>(QStringLiteral("mnuHelpSystem"))->trigger();
    QCOMPARE(book.launcher.helpTopics,
             (QStringList{"frmSwitchboard", "frmSwitchboard", "frmSwitchboard"}));

    // In a window opened from the switchboard, F1 and DisplayHelp give that window's topic,
    // and the switchboard does not answer the key as well.
    book.launcher.helpTopics.clear();
    whenModal([&](QWidget* modal) {
        QVERIFY(modal);
        QTest::keyClick(modal, Qt::Key_F1);
        DisplayHelp(book.services);
    });
    switchboard.findChild<QAction*>(QStringLiteral("mnuHelpLicenceAgreement"))->trigger();
    QCOMPARE(book.launcher.helpTopics, (QStringList{"frmLicenceAgreement", "frmLicenceAgreement"}));

    // F1 never reaches the field it was pressed in.
    book.launcher.helpTopics.clear();
    FieldWindow sample(book.services);
    QTest::keyClick(sample.field, Qt::Key_F1);
    QCOMPARE(book.launcher.helpTopics, QStringList{"frmSample"});
    QVERIFY(sample.recorder.keys.isEmpty());
    QVERIFY(book.prompts.verifyAllShown());
}

void TestSwitchboard::aboutBox() {
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    book.prompts.expectMatch(QStringLiteral("^Quillan v1\\.0\r\n"));
    switchboard.findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
    QVERIFY(book.prompts.verifyAllShown());
    const ScriptedPrompts::Shown& about = book.prompts.shown().first();
    QCOMPARE(about.icon, Prompts::Icon::Information);
    QCOMPARE(about.buttons, Prompts::Buttons::Ok);
    const QStringList lines = about.text.split(kCrlf);
    // Title, design line, then the credit block.
    QCOMPARE(lines.size(), 12);
    QCOMPARE(lines.mid(0, 4),
             (QStringList{"Quillan v1.0", "",
                          "Design Philosophy: Does the Job;Easy to Use; Affordable to Buy", ""}));
    QVERIFY(lines[4].contains(QLatin1String("Quillan project")));
    QVERIFY(about.text.contains(QLatin1String("GNU General Public License version 3 or later")));
    QCOMPARE(about.text.count(QLatin1Char('\n')), about.text.count(kCrlf));
}

void TestSwitchboard::licenceAgreement() {
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    QString text;
    whenModal([&](QWidget* modal) {
        QCOMPARE(modal->objectName(), QStringLiteral("frmLicenceAgreement"));
        auto* box = modal->findChild<QPlainTextEdit*>(QStringLiteral("txtLicenceAgreement"));
        text = box->toPlainText();
        QVERIFY(box->isReadOnly());
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("xyz"));
        QCOMPARE(box->toPlainText(), text);
    });
    switchboard.findChild<QAction*>(QStringLiteral("mnuHelpLicenceAgreement"))->trigger();
    QVERIFY(text.contains(QLatin1String("free software")));
    QVERIFY(text.contains(
        QLatin1String("version 3 of the License, or (at your option) any later version")));
    // A short notice, not the licence itself.
    QVERIFY(text.size() < 2000);
}

void TestSwitchboard::periodEndMenuPressesTheButton() {
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    auto* button = switchboard.findChild<QAbstractButton*>(QStringLiteral("cmdPEProcessing"));
    auto* item =
        switchboard.findChild<QAction*>(QStringLiteral("mnuDataEntry2PeriodEndProcessing"));
    int runs = 0;
    switchboard.bindCommand(QStringLiteral("cmdPEProcessing"), [&runs] { ++runs; });
    QVERIFY(item->isEnabled());
    item->trigger();
    button->click();
    QCOMPARE(runs, 2);
    // The item follows the button's state.
    button->setEnabled(false);
    QVERIFY(!item->isEnabled());
}

void TestSwitchboard::partyChecks() {
    const QString notice = QStringLiteral(
        "Please note that you have not yet defined\r\nany %1.\r\n\r\nYou are advised to "
        "define %1 before\r\ncreating %2.");
    TestBook book;
    book.prompts.expect(notice.arg(QLatin1String("vendors"), QLatin1String("Payment Vouchers")));
    book.prompts.expect(notice.arg(QLatin1String("customers"), QLatin1String("Receipts")));
    checkVendorsDefined(book.services);
    checkCustomersDefined(book.services);
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().first().icon, Prompts::Icon::Information);
    // Customers do not count as vendors; once there is one of each, nothing is said.
    book.sql(QStringLiteral("INSERT INTO tblCustomers (CustID) VALUES ('C1')"));
    book.prompts.expect(notice.arg(QLatin1String("vendors"), QLatin1String("Payment Vouchers")));
    checkVendorsDefined(book.services);
    QVERIFY(book.prompts.verifyAllShown());
    book.sql(QStringLiteral("INSERT INTO tblVendors (VendorID) VALUES ('V1')"));
    checkVendorsDefined(book.services);
    checkCustomersDefined(book.services);
    QCOMPARE(book.prompts.shown().size(), 3);
}

void TestSwitchboard::transactionWindowUnderHourglass() {
    TestBook book;
    bool busyWhileBuilt = false;
    QString opened;
    whenModal([&](QWidget* modal) {
        opened = modal->objectName();
        QVERIFY(book.busy.isBusy());
    });
    openTransactionWindow(book.services, [&] {
        busyWhileBuilt = book.busy.isBusy();
        auto window = std::make_unique<QDialog>();
        window->setObjectName(QStringLiteral("frmPaymentVoucher"));
        return window;
    });
    QVERIFY(busyWhileBuilt);
    QCOMPARE(opened, QStringLiteral("frmPaymentVoucher"));
    QVERIFY(!book.busy.isBusy());
}

QTEST_MAIN(TestSwitchboard)
#include "tst_switchboard.moc"
