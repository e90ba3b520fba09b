// The company, fiscal period and bank, and bank GL account windows, driven as a user does.
#include "reconciliation/bankdetailswindow.h"
#include "reconciliation/bankglaccountcodewindow.h"
#include "reconciliation/companywindow.h"
#include "shell/switchboardwindow.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using Answer = Prompts::Answer;

const QString kEditQuestion = QStringLiteral(
    "Please note that the settings here \r\nare extremely important for the proper\r\n"
    "functioning of the Cashbook.\r\n\r\nOnce setup, these settings should be left alone.\r\n\r\n"
    "By default, the values are read-only.\r\n\r\nDo you wish to modify them?");
const QString kVoucherOnly = QStringLiteral(
    "You are allowed to enter only numbers\r\nfor automatic Payment Voucher numbering.");
const QString kReceiptOnly =
    QStringLiteral("You are allowed to enter only numbers\r\nfor automatic Receipt numbering.");
const QString kAdvice = QStringLiteral(
    "\r\n\r\nYour numbering sequence for Payment Vouchers \r\nand Receipts should be different.");
const QString kBalanceNotAmount = QStringLiteral(
    "The Take-on Bank Balance must be an amount,\r\nfor example 1,234.56 or -250.00.");

QLineEdit* field(QWidget* window, int index) {
    return child<QLineEdit>(window, QStringLiteral("txtFields(%1)").arg(index));
}

// Clicks a button without moving the focus, as the keyboard's accelerators do.
void click(QWidget* window, const char* button) {
    child<QPushButton>(window, QString::fromLatin1(button))->click();
}
void click(QWidget& window, const char* button) {
    click(&window, button);
}

// Replaces a field's text as typed by the user.
void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Shows the window and answers the Edit question Yes.
void openForEdit(TestBook& book, BankDetailsWindow& window) {
    QVERIFY(showActive(&window));
    book.prompts.expect(kEditQuestion, Answer::Yes);
    click(window, "cmdEdit");
}

const QString kBankGlRow = QStringLiteral(
    "SELECT GLBankAccountCode || '/' || BankAccountDept || '/' || BankAccountDesc FROM tblSystemSetup");

} // namespace

class TestSetupWindows : public QObject {
    Q_OBJECT

private slots:
    // frmBankDetails
    void bankDetailsReadOnlyUntilEditConfirmed_data();
    void bankDetailsReadOnlyUntilEditConfirmed();
    void bankDetailsMonthShown_data();
    void bankDetailsMonthShown();
    void bankDetailsSaveRefusals_data();
    void bankDetailsSaveRefusals();
    void bankDetailsSaveWrites_data();
    void bankDetailsSaveWrites();
    void bankDetailsLeaveFieldAdvice_data();
    void bankDetailsLeaveFieldAdvice();
    void bankDetailsCloseDiscards();

    // frmCompany
    void companyNameInCapitalsOnSwitchboardAtOnce();

    // frmBankGLAccountCode
    void bankGlTypedCodeKeepsDeptAndDescription();
    void bankGlChartOfAccountsIsTheChooser_data();
    void bankGlChartOfAccountsIsTheChooser();

    // the switchboard's commands
    void switchboardOpensTheWindows_data();
    void switchboardOpensTheWindows();
};

// ---------------------------------------------------------------- frmBankDetails

void TestSetupWindows::bankDetailsReadOnlyUntilEditConfirmed_data() {
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("Yes unlocks") << true;
    QTest::newRow("No keeps read-only") << false;
}

void TestSetupWindows::bankDetailsReadOnlyUntilEditConfirmed() {
    QFETCH(bool, answerYes);
    TestBook book;
    BankDetailsWindow window(book.services);
    QVERIFY(showActive(&window));
    auto* month = child<QComboBox>(&window, QStringLiteral("cboCurrentMonth"));
    const QString title = QStringLiteral("Fiscal Period and Bank Details - %1");
    QCOMPARE(window.windowTitle(), title.arg("Read Only"));
    QVERIFY(!month->isEnabled());
    for (int i = 0; i < 7; ++i)
        QVERIFY2(!field(&window, i)->isEnabled(), qPrintable(QString::number(i)));

    book.prompts.expect(kEditQuestion, answerYes ? Answer::Yes : Answer::No);
    click(window, "cmdEdit");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Question);
    QCOMPARE(book.prompts.shown().last().buttons, Prompts::Buttons::YesNo);
    QCOMPARE(book.prompts.shown().last().defaultButton, Answer::No);

    QCOMPARE(month->isEnabled(), answerYes);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(field(&window, i)->isEnabled(), answerYes);
    QCOMPARE(window.windowTitle(), title.arg(answerYes ? "Edit" : "Read Only"));
    if (answerYes)
        QCOMPARE(QApplication::focusWidget(), field(&window, 0));
}

void TestSetupWindows::bankDetailsMonthShown_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("12") << QVariant(QStringLiteral("12")) << QStringLiteral("December");
    QTest::newRow("7") << QVariant(QStringLiteral("7")) << QStringLiteral("July");
    QTest::newRow("0") << QVariant(QStringLiteral("0")) << QStringLiteral("January");
    QTest::newRow("empty") << QVariant(QString()) << QStringLiteral("January");
    QTest::newRow("null") << QVariant(QMetaType(QMetaType::QString)) << QStringLiteral("January");
    QTest::newRow("07") << QVariant(QStringLiteral("07")) << QStringLiteral("January");
    QTest::newRow("13") << QVariant(QStringLiteral("13")) << QStringLiteral("January");
}

void TestSetupWindows::bankDetailsMonthShown() {
    QFETCH(QVariant, stored);
    QFETCH(QString, shown);
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblBankDetails SET CurrentMonth = ?"), {stored});
    BankDetailsWindow window(book.services);
    QCOMPARE(child<QComboBox>(&window, QStringLiteral("cboCurrentMonth"))->currentText(), shown);
}

void TestSetupWindows::bankDetailsSaveRefusals_data() {
    QTest::addColumn<QStringList>("typed"); // year, month stored, voucher, receipt, balance
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    const QString year = QStringLiteral("Must enter Year.");
    const QString month = QStringLiteral("Must enter Month.");
    const auto row = [](const char* name, const QString& typed, const QString& message,
                        const char* focus) {
        QTest::newRow(name) << typed.split(QLatin1Char('|')) << message << QString(focus);
    };
    row("year empty", "|5|1|1|0", year, "txtFields(0)");
    row("year blank", "  |5|1|1|0", year, "txtFields(0)");
    row("month empty", "2003||1|1|0", month, "cboCurrentMonth");
    row("month 0 shown as January", "2003|0|1|1|0", month, "cboCurrentMonth");
    row("voucher letters", "2003|5|12A|1|0", kVoucherOnly, "txtFields(5)");
    row("voucher decimal", "2003|5|12.5|1|0", kVoucherOnly, "txtFields(5)");
    row("voucher negative", "2003|5|-3|1|0", kVoucherOnly, "txtFields(5)");
    row("voucher beyond 32 bits", "2003|5|2147483648|1|0", kVoucherOnly, "txtFields(5)");
    row("receipt letters", "2003|5|1|R1|0", kReceiptOnly, "txtFields(6)");
    row("voucher checked before receipt", "2003|5|X|Y|0", kVoucherOnly, "txtFields(5)");
    row("year before voucher", "|5|X|1|0", year, "txtFields(0)");
    row("balance not an amount", "2003|5|1|1|12,34.5x", kBalanceNotAmount, "txtFields(4)");
    row("balance two signs", "2003|5|1|1|-(5.00)", kBalanceNotAmount, "txtFields(4)");
}

void TestSetupWindows::bankDetailsSaveRefusals() {
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblBankDetails SET CurrentYear = '1999', CurrentMonth = ?, "
                            "NextCheque = 7, NextReceipt = 8, StartingBankBalance = 5000000"),
             {typed[1]});
    BankDetailsWindow window(book.services);
    openForEdit(book, window);
    field(&window, 0)->setText(typed[0]);
    field(&window, 5)->setText(typed[2]);
    field(&window, 6)->setText(typed[3]);
    field(&window, 4)->setText(typed[4]);
    book.prompts.expect(message);
    click(window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Critical);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    // Nothing reached the book.
    QCOMPARE(book.value(QStringLiteral("SELECT CurrentYear || '/' || CurrentMonth || '/' || "
                                       "NextCheque || '/' || NextReceipt || '/' || "
                                       "StartingBankBalance FROM tblBankDetails"))
                 .toString(),
             QStringLiteral("1999/%1/7/8/5000000").arg(typed[1]));
}

void TestSetupWindows::bankDetailsSaveWrites_data() {
    QTest::addColumn<QStringList>("typed"); // voucher, receipt, balance; balance untouched if absent
    QTest::addColumn<QString>("balanceShown");
    QTest::addColumn<QString>("stored"); // balance/voucher/receipt
    QTest::newRow("empty voucher number accepted")
        << QStringList{"", "42", "1,234.50"} << "$1,234.50" << "12345000/null/42";
    QTest::newRow("same number in both sequences")
        << QStringList{"100", "100", "$2,000"} << "$2,000.00" << "20000000/100/100";
    QTest::newRow("leading zeros and blanks")
        << QStringList{" 0007 ", "2147483647", "0.005"} << "$0.01" << "50/7/2147483647";
    QTest::newRow("negative balance in parentheses")
        << QStringList{"1", "1", "(250.75)"} << "-$250.75" << "-2507500/1/1";
    QTest::newRow("blank balance is nothing taken on")
        << QStringList{"1", "", ""} << "$0.00" << "0/1/null";
    // Passing through the field does not round the amount to the cents shown.
    QTest::newRow("untouched balance keeps its exact amount")
        << QStringList{"7", "8"} << "$1,234.57" << "12345678/7/8";
}

void TestSetupWindows::bankDetailsSaveWrites() {
    QFETCH(QStringList, typed);
    QFETCH(QString, balanceShown);
    QFETCH(QString, stored);
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblBankDetails SET StartingBankBalance = 12345678"));
    BankDetailsWindow window(book.services);
    openForEdit(book, window);

    retype(field(&window, 0), QStringLiteral("2004"));
    auto* month = child<QComboBox>(&window, QStringLiteral("cboCurrentMonth"));
    month->setFocus();
    month->setCurrentIndex(0);
    for (int i = 0; i < 10; ++i) // down to November with the keyboard
        QTest::keyClick(month, Qt::Key_Down);
    QCOMPARE(month->currentText(), QStringLiteral("November"));
    retype(field(&window, 2), QStringLiteral("First Bank"));
    retype(field(&window, 3), QStringLiteral("010-234-5"));
    field(&window, 5)->setText(typed[0]);
    field(&window, 6)->setText(typed[1]);
    if (typed.size() > 2)
        field(&window, 4)->setText(typed[2]);
    field(&window, 4)->setFocus();
    QTest::keyClick(field(&window, 4), Qt::Key_Tab);

    // Saved at once: there is no question before it.
    book.prompts.expect(QStringLiteral("Saved!"));
    click(window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Information);
    QCOMPARE(window.windowTitle(), QStringLiteral("Fiscal Period and Bank Details - Edit"));
    QCOMPARE(field(&window, 4)->text(), balanceShown);
    QCOMPARE(book.value(QStringLiteral(
                            "SELECT CurrentYear || '/' || CurrentMonth || '/' || typeof(CurrentMonth) "
                            "|| '/' || BankName || '/' || BankAccountNumber || '/' || "
                            "StartingBankBalance || '/' || ifnull(NextCheque, 'null') || '/' || "
                            "ifnull(NextReceipt, 'null') FROM tblBankDetails"))
                 .toString(),
             QStringLiteral("2004/11/text/First Bank/010-234-5/") + stored);
}

void TestSetupWindows::bankDetailsLeaveFieldAdvice_data() {
    QTest::addColumn<int>("leftField");
    QTest::addColumn<QString>("nextCheque");
    QTest::addColumn<QString>("nextReceipt");
    QTest::addColumn<QString>("message");
    QTest::newRow("voucher letters, leaving the voucher") << 5 << "A1" << "1" << kVoucherOnly + kAdvice;
    QTest::newRow("voucher letters, leaving the bank name") << 2 << "A1" << "1" << kVoucherOnly + kAdvice;
    QTest::newRow("receipt letters") << 6 << "1" << "B" << kReceiptOnly + kAdvice;
    QTest::newRow("same numbers are not compared") << 5 << "10" << "10" << QString();
    QTest::newRow("both empty") << 6 << "" << "" << QString();
}

void TestSetupWindows::bankDetailsLeaveFieldAdvice() {
    QFETCH(int, leftField);
    QFETCH(QString, nextCheque);
    QFETCH(QString, nextReceipt);
    QFETCH(QString, message);
    TestBook book;
    BankDetailsWindow window(book.services);
    openForEdit(book, window);
    field(&window, 5)->setText(nextCheque);
    field(&window, 6)->setText(nextReceipt);

    QLineEdit* left = field(&window, leftField);
    left->setFocus();
    QCOMPARE(QApplication::focusWidget(), left);
    if (!message.isEmpty())
        book.prompts.expect(message);
    QTest::keyClick(left, Qt::Key_Tab);
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().size(), message.isEmpty() ? 1 : 2);
    // Advice only: the focus moves on.
    QVERIFY(QApplication::focusWidget() != left);
}

void TestSetupWindows::bankDetailsCloseDiscards() {
    TestBook book;
    BankDetailsWindow window(book.services);
    openForEdit(book, window);
    retype(field(&window, 2), QStringLiteral("Never Saved Bank"));
    click(window, "cmdClose");
    QVERIFY(!window.isVisible());
    QCOMPARE(book.value(QStringLiteral("SELECT BankName FROM tblBankDetails")).toString(), QString());
    QVERIFY(book.prompts.verifyAllShown());
}

// ---------------------------------------------------------------- frmCompany

void TestSetupWindows::companyNameInCapitalsOnSwitchboardAtOnce() {
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblSystemSetup SET Address2 = 'Old town'"));
    SwitchboardWindow switchboard(book.services);
    auto* panelName = child<QLineEdit>(&switchboard, QStringLiteral("txtCompanyName"));
    auto* panelAddress3 = child<QLineEdit>(&switchboard, QStringLiteral("txtAddress3"));
    QCOMPARE(panelName->text(), QStringLiteral("YOUR COMPANY NAME"));

    bool driven = false;
    QTimer::singleShot(0, &switchboard, [&] {
        QWidget* window = QApplication::activeModalWidget();
        QVERIFY(window);
        QCOMPARE(window->objectName(), QStringLiteral("frmCompany"));
        // A name of blanks is refused first, with the focus on the name.
        retype(field(window, 0), QStringLiteral("   "));
        retype(field(window, 1), QStringLiteral("12 Harbour Road"));
        book.prompts.expect(QStringLiteral("Must enter a Company Name."));
        click(window, "cmdSave");
        QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Critical);
        QCOMPARE(window->focusWidget(), field(window, 0));
        QCOMPARE(panelName->text(), QStringLiteral("YOUR COMPANY NAME"));
        QCOMPARE(book.value(QStringLiteral("SELECT ifnull(Address1, '') FROM tblSystemSetup"))
                     .toString(),
                 QString());
        retype(field(window, 0), QStringLiteral("Acme Trading Pte Ltd"));
        retype(field(window, 2), QString());
        retype(field(window, 3), QStringLiteral("Singapore 0410"));
        book.prompts.expect(QStringLiteral("Saved!"));
        click(window, "cmdSave");
        // At once: the window is still open.
        QCOMPARE(panelName->text(), QStringLiteral("ACME TRADING PTE LTD"));
        QCOMPARE(panelAddress3->text(), QStringLiteral("SINGAPORE 0410"));
        driven = true;
        click(window, "cmdClose");
    });
    click(switchboard, "cmdCompanyDetails");
    QVERIFY(driven);
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.value(QStringLiteral("SELECT CompanyName || '/' || Address1 || '/' || Address2 "
                                       "|| '/' || Address3 FROM tblSystemSetup"))
                 .toString(),
             QStringLiteral("Acme Trading Pte Ltd/12 Harbour Road//Singapore 0410"));
}

// ---------------------------------------------------------------- frmBankGLAccountCode

void TestSetupWindows::bankGlTypedCodeKeepsDeptAndDescription() {
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblSystemSetup SET GLBankAccountCode = '1000', "
                            "BankAccountDept = 'D1', BankAccountDesc = 'Bank - Current Account'"));
    BankGlAccountCodeWindow window(book.services);
    QVERIFY(showActive(&window));
    auto* account = child<QComboBox>(&window, QStringLiteral("cboAccountCode"));
    account->setFocus();
    // Replaces the selected text; the seventh character is refused.
    QTest::keyClicks(account, QStringLiteral("zz0123X"));
    QCOMPARE(account->currentText(), QStringLiteral("zz0123"));
    book.prompts.expect(QStringLiteral("Saved."));
    click(window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.value(kBankGlRow).toString(), QStringLiteral("zz0123/D1/Bank - Current Account"));
}

void TestSetupWindows::bankGlChartOfAccountsIsTheChooser_data() {
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("stored");
    QTest::newRow("account chosen") << "1010" << "1010/SALES/Savings";
    QTest::newRow("chart closed") << "" << "1000//Current";
}

void TestSetupWindows::bankGlChartOfAccountsIsTheChooser() {
    QFETCH(QString, choice);
    QFETCH(QString, stored);
    TestBook book;
    addAccount(book, QStringLiteral("1000"), QStringLiteral(""), QStringLiteral("Current"));
    addAccount(book, QStringLiteral("1010"), QStringLiteral("SALES"), QStringLiteral("Savings"));
    book.sql(QStringLiteral("UPDATE tblSystemSetup SET GLBankAccountCode = '1000', "
                            "BankAccountDept = '', BankAccountDesc = 'Current'"));
    // Left over from an earlier lookup: must not be taken for a choice.
    book.lookup.LookupValue1 = QStringLiteral("9999");
    BankGlAccountCodeWindow window(book.services);
    QVERIFY(showActive(&window));
    auto* account = child<QComboBox>(&window, QStringLiteral("cboAccountCode"));
    account->setFocus();
    chooseInChart(choice);
    QTest::keyClick(account, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(window.focusWidget()->objectName(), QStringLiteral("cmdSave"));
    book.prompts.expect(QStringLiteral("Saved."));
    click(window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Information);
    QCOMPARE(window.focusWidget()->objectName(), QStringLiteral("cmdClose"));
    QCOMPARE(book.value(kBankGlRow).toString(), stored);
}

// ---------------------------------------------------------------- switchboard

void TestSetupWindows::switchboardOpensTheWindows_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::newRow("company button") << "cmdCompanyDetails" << "frmCompany";
    QTest::newRow("company menu") << "mnuDataEntryCompanyDetails" << "frmCompany";
    QTest::newRow("bank details button") << "cmdBankDetails" << "frmBankDetails";
    QTest::newRow("bank details menu") << "mnuDataEntryFiscalYearAndBankDetails" << "frmBankDetails";
    QTest::newRow("bank GL account button") << "cmdAccountCodeSettings" << "frmBankGLAccountCode";
}

void TestSetupWindows::switchboardOpensTheWindows() {
    QFETCH(QString, command);
    QFETCH(QString, window);
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    QString opened;
    QTimer::singleShot(0, &switchboard, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        opened = modal->objectName();
        click(modal, "cmdClose");
    });
    QVERIFY2(runCommand(&switchboard, command), qPrintable(command));
    QCOMPARE(opened, window);
    QVERIFY(book.prompts.verifyAllShown());
}

QTEST_MAIN(TestSetupWindows)
#include "tst_setupwindows.moc"
