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

// The commands the shell itself carries out; every other one belongs to a task window.
const QStringList kShellCommands = {QStringLiteral("cmdHelp"),
                                    QStringLiteral("cmdQuit"),
                                    QStringLiteral("mnuFileExit"),
                                    QStringLiteral("mnuToolsCalculator"),
                                    QStringLiteral("mnuToolsCompactDatabase"),
                                    QStringLiteral("mnuHelpSystem"),
                                    QStringLiteral("mnuHelpLicenceAgreement"),
                                    QStringLiteral("mnuAbout")};

QString functionKeyListText() {
    return QStringList{QStringLiteral("F1  - Help"),      QStringLiteral("F2  - Calculator"),
                       QStringLiteral("F3  - Undefined"), QStringLiteral("F4  - Undefined"),
                       QStringLiteral("F5  - Undefined"), QStringLiteral("F6  - Undefined"),
                       QStringLiteral("F7  - Undefined"), QStringLiteral("F8  - Undefined"),
                       QStringLiteral("F9  - Undefined"), QStringLiteral("F10 - Quit Quillan"),
                       QStringLiteral("F11 - Undefined"), QStringLiteral("F12 - Undefined")}
        .join(kCrlf);
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
    void buttonsOnTheirPages_data();
    void buttonsOnTheirPages();
    void menuItems_data();
    void menuItems();
    void fixedParts();
    void enabledExactlyWhenBound();
    void functionKeyListNotReachingTheField_data();
    void functionKeyListNotReachingTheField();
    void calculatorKey_data();
    void calculatorKey();
    void quitting_data();
    void quitting();
    void helpAtTheWindowsTopic();
    void aboutBox();
    void licenceAgreement();
    void periodEndMenuPressesTheButton();
    void partyChecks_data();
    void partyChecks();
    void transactionWindowUnderHourglass();
};

void TestSwitchboard::buttonsOnTheirPages_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");
    const char* const rows[][4] = {
        {"&Setup", "cmdCompanyDetails", "Company Details", "Enter / Modify Company Details"},
        {"&Setup", "cmdBankDetails", "Fiscal Year and Bank Details",
         "Enter important details such as Bank take-on balance"},
        {"&Setup", "cmdTransactionType", "Transaction Type",
         "Especially important if exporting to AR / AP"},
        {"&Setup", "cmdReconciliationStatuses", "Reconciliation Statuses",
         "Reconciliation Statuses"},
        {"&Setup", "cmdDepartments", "Departments",
         "To setup a departmentalised Chart of Accounts"},
        {"&Setup", "cmdChartOfAccounts", "Chart of Accounts", "Essential to setup double-entry"},
        {"&Setup", "cmdAccountCodeSettings", "Bank GL Account Code", "Essential for double-entry"},
        {"&Setup", "cmdTaxTable", "Tax Table", "For purchase and sales taxes"},
        {"&Setup", "cmdAccpacSettings", "Accpac / Adagio",
         "For integration options with Accpac Plus / Adagio"},
        {"&Setup", "cmdCustomers", "Customers", "To identify from whom receipts are received"},
        {"&Setup", "cmdVendors", "Vendors", "To identify to whom payments are made"},
        {"&Transactions", "cmdPaymentVouchers", "Payment Vouchers",
         "Enter / Modify Payment Vouchers"},
        {"&Transactions", "cmdReceipts", "Receipts", "Enter / Modify Receipts"},
        {"&Transactions", "cmdBankChargesInterestMisc", "Bank Charges / Interest / Misc",
         "Enter / Modify Bank Charges, Interest, Miscellaneous"},
        {"&Transactions", "cmdCashbook", "Cashbook",
         "To see Cashbook and Bank balances and perform reconciliation"},
        {"&Transactions", "cmdPEProcessing", "Period End Processing", "Period End Processing"},
        {"&Reports", "cmdPrintPaymentVouchers", "Payment Vouchers", ""},
        {"&Reports", "cmdPrintReceipt", "Receipts", ""},
        {"&Reports", "cmdTaxAnalysis", "Tax Analysis Current Month", ""},
        {"&Reports", "cmdGLListing", "GL Listing  Current Month", ""},
        {"&Reports", "cmdGLSummary", "GL Summary Current Month", ""},
        {"&Reports", "cmdAllTransactions", "All Transactions", ""},
        {"&Reports", "cmdBankReconciliation", "Bank Reconciliation", ""},
        {"&Reports", "cmdCashbookReport", "Cashbook", ""},
        {"&Import/Export", "cmdExportToAccpac", "Export Current Month to Accpac / Adagio",
         "Export current month's transactions to Accpac Plus / Adagio"},
        {"&Import/Export", "cmdExportVendors", "Export Vendors", ""},
        {"&Import/Export", "cmdExportCustomers", "Export Customers", ""},
        {"&Import/Export", "cmdExportCOA", "Export Chart of Accounts", ""},
        {"&Import/Export", "cmdImportVendors", "Import Vendors", ""},
        {"&Import/Export", "cmdImportCustomers", "Import Customers", ""},
        {"&Import/Export", "cmdImportCOA", "Import Chart of Accounts", ""},
    };
    for (const auto& row : rows)
        QTest::newRow(row[1]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1])
                              << QString::fromLatin1(row[2]) << QString::fromLatin1(row[3]);
}

void TestSwitchboard::buttonsOnTheirPages() {
    QFETCH(QString, page);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    auto* button = switchboard.findChild<QPushButton*>(name);
    QVERIFY2(button, qPrintable(name));
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), tooltip);
    auto* tabs = switchboard.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    const int index = tabs->indexOf(button->parentWidget());
    QVERIFY(index >= 0);
    QCOMPARE(tabs->tabText(index), page);
}

void TestSwitchboard::menuItems_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("menuCaption");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("mnuFile") << "mnuFile"
                             << "&File" << QStringList{"mnuFileExit"} << QStringList{"&Exit"};
    QTest::newRow("mnuDataEntry")
        << "mnuDataEntry"
        << "&Setup"
        << QStringList{"mnuDataEntryCompanyDetails",  "mnuDataEntryFiscalYearAndBankDetails",
                       "mnuDataEntryTransactionType", "mnuDataEntryReconciliationStatuses",
                       "mnuDataEntryDepartments",     "mnuDataEntryCOA",
                       "mnuDataEntryTaxTable",        "mnuDataEntryAccpacAdagioSettings",
                       "mnuDataEntryCustomers",       "mnuDataEntryVendors"}
        << QStringList{"&Company Details",  "&Fiscal Year and Bank Details",
                       "&Transaction Type", "&Reconciliation Statuses",
                       "De&partments",      "Chart of &Accounts",
                       "Ta&x Table",        "Accpac and Adagio S&ettings",
                       "C&ustomers",        "&Vendors"};
    QTest::newRow("mnuDataEntry2")
        << "mnuDataEntry2"
        << "&Data Entry"
        << QStringList{"mnuDataEntry2PaymentVouchers", "mnuDataEntry2Receipts",
                       "mnuDataEntry2BankCharges", "mnuDataEntry2Cashbook",
                       "mnuDataEntry2PeriodEndProcessing"}
        << QStringList{"&Payment Vouchers", "&Receipts", "&Bank Charges, Int, Misc", "&Cashbook",
                       "Period &End Processing"};
    QTest::newRow("mnuReports")
        << "mnuReports"
        << "&Reports" << QStringList{"mnuReportsPaymentVouchers", "mnuReportsReceipts",
                                     "mnuReportsCashbook",        "mnuReportsBankReconciliation",
                                     "mnuReportsAllTransactions", "mnuReportsGLSummary",
                                     "mnuReportsGLListing",       "mnuReportsTaxAnalysis"}
        << QStringList{"&Payment Vouchers", "&Receipts",   "&Cashbook",   "&Bank Reconciliation",
                       "&All Transactions", "&GL Summary", "G&L Listing", "&Tax Analysis"};
    QTest::newRow("mnuTools") << "mnuTools"
                              << "&Tools"
                              << QStringList{"mnuToolsCalculator", "mnuToolsCompactDatabase"}
                              << QStringList{"&Calculator (F2)", "C&ompact Database"};
    QTest::newRow("mnuHelp") << "mnuHelp"
                             << "&Help"
                             << QStringList{"mnuHelpSystem", "mnuHelpLicenceAgreement", "mnuAbout"}
                             << QStringList{"Help &System  (F1)", "&Licence Agreement", "&About"};
}

void TestSwitchboard::menuItems() {
    QFETCH(QString, menu);
    QFETCH(QString, menuCaption);
    QFETCH(QStringList, items);
    QFETCH(QStringList, captions);
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    auto* bar = switchboard.menuBar();
    QMenu* found = bar->findChild<QMenu*>(menu);
    QVERIFY(found);
    QCOMPARE(found->title(), menuCaption);
    QStringList names;
    QStringList texts;
    for (QAction* action : found->actions()) {
        names << action->objectName();
        texts << action->text();
    }
    QCOMPARE(names, items);
    QCOMPARE(texts, captions);
}

void TestSwitchboard::fixedParts() {
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    QCOMPARE(switchboard.windowTitle(), QStringLiteral("Quillan - Main Menu"));
    QStringList menus;
    for (QAction* action : switchboard.menuBar()->actions())
        menus << action->menu()->objectName();
    QCOMPARE(menus, (QStringList{"mnuFile", "mnuDataEntry", "mnuDataEntry2", "mnuReports",
                                 "mnuTools", "mnuHelp"}));
    auto* tabs = switchboard.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    QStringList pages;
    for (int i = 0; i < tabs->count(); ++i)
        pages << tabs->tabText(i);
    QCOMPARE(pages,
             (QStringList{"&Company", "&Setup", "&Transactions", "&Reports", "&Import/Export"}));
    bool keyLine = false;
    for (QLabel* label : switchboard.findChildren<QLabel*>())
        keyLine |=
            label->text() ==
            QStringLiteral(
                "            F1 Help       F2  Calculator       F10 Quit      Esc Undo/Cancel");
    QVERIFY(keyLine);
    QCOMPARE(switchboard.findChild<QAbstractButton*>(QStringLiteral("cmdHelp"))->toolTip(),
             QStringLiteral("Help"));
    QCOMPARE(switchboard.findChild<QAbstractButton*>(QStringLiteral("cmdQuit"))->toolTip(),
             QStringLiteral("Quit Quillan"));
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
    for (const QString& name : kShellCommands) {
        auto* command = switchboard.findChild<QObject*>(name);
        QVERIFY2(command && command->property("enabled").toBool(), qPrintable(name));
    }
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
    QCOMPARE(book.prompts.shown().first().buttons, Prompts::Buttons::Ok);
    QCOMPARE(sample.recorder.keys, (QList<int>{Qt::Key_A, Qt::Key_B}));
    QCOMPARE(sample.field->text(), QStringLiteral("ab"));

    // The switchboard's own key preview does the same.
    SwitchboardWindow switchboard(book.services);
    switchboard.show();
    book.prompts.expect(functionKeyListText());
    QTest::keyClick(switchboard.findChild<QLineEdit*>(QStringLiteral("txtCompanyName")),
                    Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.endProgramCalls, 0);
}

void TestSwitchboard::calculatorKey_data() {
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QString>("started");
    QTest::newRow("gnome first") << QStringList{"xcalc", "gnome-calculator"}
                                 << "/usr/bin/gnome-calculator";
    QTest::newRow("only xcalc") << QStringList{"xcalc"} << "/usr/bin/xcalc";
    QTest::newRow("none") << QStringList{} << QString();
}

void TestSwitchboard::calculatorKey() {
    QFETCH(QStringList, available);
    QFETCH(QString, started);
    TestBook book;
    book.launcher.available = available;
    FieldWindow sample(book.services);
    if (started.isEmpty())
        book.prompts.expectMatch(
            QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: 53\r\n"
                           "Error Description: [^\r]+\r\nRoutine: Calculator$"));
    QTest::keyClick(sample.field, Qt::Key_F2);
    QVERIFY(book.prompts.verifyAllShown());
    QVERIFY(sample.recorder.keys.isEmpty());
    QCOMPARE(book.launcher.started.size(), started.isEmpty() ? 0 : 1);
    if (!started.isEmpty())
        QCOMPARE(book.launcher.started.first().program, started);

    // Tools > Calculator on the switchboard starts the same program.
    SwitchboardWindow switchboard(book.services);
    if (started.isEmpty())
        book.prompts.expectMatch(QStringLiteral("Routine: Calculator$"));
    switchboard.findChild<QAction*>(QStringLiteral("mnuToolsCalculator"))->trigger();
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.launcher.started.size(), started.isEmpty() ? 0 : 2);
}

void TestSwitchboard::quitting_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("yes");
    for (const char* how : {"F10", "Shift+F10", "F10 in a field", "cmdQuit", "mnuFileExit"}) {
        QTest::addRow("%s, No", how) << QString::fromLatin1(how) << false;
        QTest::addRow("%s, Yes", how) << QString::fromLatin1(how) << true;
    }
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
    const ScriptedPrompts::Shown& asked = book.prompts.shown().first();
    QCOMPARE(asked.icon, Prompts::Icon::Question);
    QCOMPARE(asked.buttons, Prompts::Buttons::YesNo);
    QCOMPARE(asked.defaultButton, Prompts::Answer::No);
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
    // Title, design line, then the credit line, four further lines and two closing lines.
    QCOMPARE(lines.size(), 12);
    QCOMPARE(lines[0], QStringLiteral("Quillan v1.0"));
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[2],
             QStringLiteral("Design Philosophy: Does the Job;Easy to Use; Affordable to Buy"));
    QCOMPARE(lines[3], QString());
    QVERIFY(lines[4].contains(QLatin1String("Quillan project")));
    for (int i : {5, 6, 7, 8, 10, 11})
        QVERIFY2(!lines[i].trimmed().isEmpty(), qPrintable(QString::number(i)));
    QCOMPARE(lines[9], QString());
    QVERIFY(about.text.contains(QLatin1String("GNU General Public License version 3 or later")));
    // Every line break is a CR LF pair.
    QCOMPARE(about.text.count(QLatin1Char('\n')), about.text.count(kCrlf));
}

void TestSwitchboard::licenceAgreement() {
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    QString shownName;
    QString text;
    bool readOnly = false;
    whenModal([&](QWidget* modal) {
        QVERIFY(modal);
        shownName = modal->objectName();
        auto* box = modal->findChild<QPlainTextEdit*>(QStringLiteral("txtLicenceAgreement"));
        QVERIFY(box);
        text = box->toPlainText();
        readOnly = box->isReadOnly();
        // Typing changes nothing.
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("xyz"));
        QCOMPARE(box->toPlainText(), text);
    });
    switchboard.findChild<QAction*>(QStringLiteral("mnuHelpLicenceAgreement"))->trigger();
    QCOMPARE(shownName, QStringLiteral("frmLicenceAgreement"));
    QVERIFY(readOnly);
    QVERIFY(text.contains(QLatin1String("free software")));
    QVERIFY(text.contains(QLatin1String("GNU General Public License")));
    QVERIFY(text.contains(
        QLatin1String("version 3 of the License, or (at your option) any later version")));
    // A short notice, not the licence itself.
    QVERIFY(text.size() < 2000);
    QVERIFY(book.prompts.verifyAllShown());
}

void TestSwitchboard::periodEndMenuPressesTheButton() {
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    auto* button = switchboard.findChild<QAbstractButton*>(QStringLiteral("cmdPEProcessing"));
    auto* item =
        switchboard.findChild<QAction*>(QStringLiteral("mnuDataEntry2PeriodEndProcessing"));
    // Nothing to press until period-end processing is there.
    QVERIFY(!button->isEnabled());
    QVERIFY(!item->isEnabled());
    item->trigger();

    int runs = 0;
    switchboard.bindCommand(QStringLiteral("cmdPEProcessing"), [&runs] { ++runs; });
    QVERIFY(item->isEnabled());
    item->trigger();
    QCOMPARE(runs, 1);
    button->click();
    QCOMPARE(runs, 2);
    // A failure in the button's action is reported under the button's label.
    book.prompts.expect(
        QStringLiteral("An error has occurred.\r\n\r\nError Number: 3021\r\nError Description: "
                       "No current record.\r\nForm: frmSwitchboard\r\nRoutine: cmdPEProcessing"));
    QObject::disconnect(button, &QAbstractButton::clicked, &switchboard, nullptr);
    switchboard.bindCommand(QStringLiteral("cmdPEProcessing"),
                            [] { throw Failure(3021, QStringLiteral("No current record.")); });
    item->trigger();
    QVERIFY(book.prompts.verifyAllShown());

    button->setEnabled(false);
    QVERIFY(!item->isEnabled());
}

void TestSwitchboard::partyChecks_data() {
    QTest::addColumn<bool>("vendors");
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QString>("notice");
    const QString vendorNotice = QStringLiteral("Please note that you have not yet defined") +
                                 kCrlf + QStringLiteral("any vendors.") + kCrlf + kCrlf +
                                 QStringLiteral("You are advised to define vendors before") +
                                 kCrlf + QStringLiteral("creating Payment Vouchers.");
    const QString customerNotice = QStringLiteral("Please note that you have not yet defined") +
                                   kCrlf + QStringLiteral("any customers.") + kCrlf + kCrlf +
                                   QStringLiteral("You are advised to define customers before") +
                                   kCrlf + QStringLiteral("creating Receipts.");
    QTest::newRow("no vendor") << true << QString() << vendorNotice;
    QTest::newRow("one vendor") << true
                                << QStringLiteral("INSERT INTO tblVendors (VendorID) VALUES ('V1')")
                                << QString();
    QTest::newRow("customers only")
        << true << QStringLiteral("INSERT INTO tblCustomers (CustID) VALUES ('C1')")
        << vendorNotice;
    QTest::newRow("no customer") << false << QString() << customerNotice;
    QTest::newRow("one customer") << false
                                  << QStringLiteral(
                                         "INSERT INTO tblCustomers (CustID) VALUES ('C1')")
                                  << QString();
    QTest::newRow("vendors only") << false
                                  << QStringLiteral(
                                         "INSERT INTO tblVendors (VendorID) VALUES ('V1')")
                                  << customerNotice;
}

void TestSwitchboard::partyChecks() {
    QFETCH(bool, vendors);
    QFETCH(QString, insert);
    QFETCH(QString, notice);
    TestBook book;
    if (!insert.isEmpty())
        book.sql(insert);
    if (!notice.isEmpty())
        book.prompts.expect(notice);
    if (vendors)
        checkVendorsDefined(book.services);
    else
        checkCustomersDefined(book.services);
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().size(), notice.isEmpty() ? 0 : 1);
    if (!notice.isEmpty())
        QCOMPARE(book.prompts.shown().first().icon, Prompts::Icon::Information);
}

void TestSwitchboard::transactionWindowUnderHourglass() {
    TestBook book;
    bool busyWhileBuilt = false;
    bool busyWhileOpen = false;
    QString opened;
    whenModal([&](QWidget* modal) {
        QVERIFY(modal);
        opened = modal->objectName();
        busyWhileOpen = book.busy.isBusy();
    });
    openTransactionWindow(book.services, [&] {
        busyWhileBuilt = book.busy.isBusy();
        auto window = std::make_unique<QDialog>();
        window->setObjectName(QStringLiteral("frmPaymentVoucher"));
        return window;
    });
    QVERIFY(busyWhileBuilt);
    QVERIFY(busyWhileOpen);
    QCOMPARE(opened, QStringLiteral("frmPaymentVoucher"));
    QVERIFY(!book.busy.isBusy());
    QCOMPARE(book.busy.setCount, 1);
}

QTEST_MAIN(TestSwitchboard)
#include "tst_switchboard.moc"
