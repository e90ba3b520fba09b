// The company, fiscal period and bank, and bank GL account windows, driven as a user does.
#include "data/messages.h"
#include "setup/bankdetailswindow.h"
#include "setup/bankglaccountcodewindow.h"
#include "shell/switchboardwindow.h"
#include "support/datarows.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Answer = Prompts::Answer;

QLineEdit* field(QWidget* window, int index) {
    return child<QLineEdit>(window, QStringLiteral("txtFields(%1)").arg(index));
}

// Clicks a button without moving the focus, as the keyboard's accelerators do.
void click(QWidget* window, const char* button) {
    child<QPushButton>(window, QString::fromLatin1(button))->click();
}

// Replaces a field's text as typed by the user.
void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Shows the window and answers the Edit question `answer`.
void openForEdit(TestBook& book, BankDetailsWindow& window, Answer answer = Answer::Yes) {
    QVERIFY(showActive(&window));
    book.prompts.expect(Messages::bankDetailsEditQuestion(), answer);
    click(&window, "cmdEdit");
}

const QString kBankDetails =
    QStringLiteral(R"(SELECT "CurrentYear" || '/' || "CurrentMonth" || '/' || )"
                   R"(COALESCE(CAST("NextCheque" AS TEXT), 'null') || '/' || )"
                   R"(COALESCE(CAST("NextReceipt" AS TEXT), 'null') || '/' || )"
                   R"("StartingBankBalance" FROM "tblBankDetails")");
const QString kBankGlRow =
    QStringLiteral(R"(SELECT "GLBankAccountCode" || '/' || "BankAccountDept" || '/' || )"
                   R"("BankAccountDesc" FROM "tblSystemSetup")");

} // namespace

class TestSetupWindows : public QObject {
    Q_OBJECT

private slots:
    void bankDetailsEditRefused() {
        TestBook book;
        book.sql(QStringLiteral(R"(UPDATE "tblBankDetails" SET "CurrentMonth" = '12')"));
        BankDetailsWindow window(book.services);
        auto* month = child<QComboBox>(&window, QStringLiteral("cboCurrentMonth"));
        QCOMPARE(month->currentText(), QStringLiteral("December"));
        openForEdit(book, window, Answer::No);
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(book.prompts.shown().last().defaultButton, Answer::No);
        QVERIFY(!month->isEnabled());
        for (int i = 0; i < 7; ++i)
            QVERIFY(!field(&window, i)->isEnabled());
        QVERIFY(window.windowTitle().endsWith(QLatin1String("Read Only")));
    }

    void bankDetailsSaveRefusals_data() {
        // typed: year, month stored, voucher, receipt, balance
        columns<QStringList, QString, QString>("typed", "message", "focus");
        const auto row = [](const char* name, const char* typed, const QString& message,
                            const char* focus) {
            QTest::newRow(name) << QString::fromLatin1(typed).split(QLatin1Char('|')) << message
                                << QString::fromLatin1(focus);
        };
        const QString year = Messages::mustEnterSetting(QStringLiteral("Year"));
        const QString voucher = Messages::onlyNumbersForVouchers();
        const QString range = Messages::amountOutOfRange();
        row("year blank", "  |5|1|1|0", year, "txtFields(0)");
        row("year before voucher", "|5|X|1|0", year, "txtFields(0)");
        // A stored month the list cannot show is shown as January, and is no month.
        row("month 0", "2003|0|1|1|0", Messages::mustEnterSetting("Month"), "cboCurrentMonth");
        row("month 13", "2003|13|1|1|0", Messages::mustEnterSetting("Month"), "cboCurrentMonth");
        row("voucher negative", "2003|5|-3|1|0", voucher, "txtFields(5)");
        row("voucher beyond 32 bits", "2003|5|2147483648|1|0", voucher, "txtFields(5)");
        row("receipt letters", "2003|5|1|R1|0", Messages::onlyNumbersForReceipts(), "txtFields(6)");
        row("balance two signs", "2003|5|1|1|-(5.00)", Messages::takeOnBalanceNotAmount(),
            "txtFields(4)");
        row("balance past the limit by a fraction", "2003|5|1|1|-999999999999.9901", range,
            "txtFields(4)");
        row("balance that would overflow a sum", "2003|5|1|1|900000000000000", range,
            "txtFields(4)");
    }

    void bankDetailsSaveRefusals() {
        auto [typed, message, focus] =
            fetch<QStringList, QString, QString>("typed", "message", "focus");
        TestBook book;
        book.sql(QStringLiteral(R"(UPDATE "tblBankDetails" SET "CurrentYear" = '1999', )"
                                R"("CurrentMonth" = ?, "NextCheque" = 7, "NextReceipt" = 8, )"
                                R"("StartingBankBalance" = 5000000)"),
                 {typed[1]});
        const QString before = book.value(kBankDetails).toString();
        BankDetailsWindow window(book.services);
        openForEdit(book, window);
        field(&window, 0)->setText(typed[0]);
        field(&window, 5)->setText(typed[2]);
        field(&window, 6)->setText(typed[3]);
        retype(field(&window, 4), typed[4]);
        book.prompts.expect(message);
        click(&window, "cmdSave");
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Critical);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(book.value(kBankDetails).toString(), before);
        // The typed text stays for the user to correct.
        QCOMPARE(field(&window, 4)->text(), typed[4]);
    }

    void bankDetailsSaveWrites_data() {
        // typed: voucher, receipt, balance (untouched if absent); stored: voucher/receipt/balance
        columns<QStringList, QString, QString>("typed", "balanceShown", "stored");
        const auto row = [](const char* name, const QStringList& typed, const char* shown,
                            const char* stored) {
            QTest::newRow(name) << typed << QString(shown) << QString(stored);
        };
        row("empty voucher number accepted", {"", "42", "1,234.50"}, "$1,234.50",
            "null/42/12345000");
        row("leading zeros, half a cent kept", {" 0007 ", "2147483647", "0.005"}, "$0.01",
            "7/2147483647/50");
        row("the limit itself, in parentheses", {"1", "1", "(999,999,999,999.99)"},
            "-$999,999,999,999.99", "1/1/-9999999999999900");
        row("blank balance is nothing taken on", {"1", "", ""}, "$0.00", "1/null/0");
        // Passing through the field does not round the amount to the cents shown.
        row("untouched balance keeps its exact amount", {"7", "8"}, "$1,234.57", "7/8/12345678");
    }

    void bankDetailsSaveWrites() {
        auto [typed, balanceShown, stored] =
            fetch<QStringList, QString, QString>("typed", "balanceShown", "stored");
        TestBook book;
        book.sql(QStringLiteral(R"(UPDATE "tblBankDetails" SET "StartingBankBalance" = 12345678)"));
        BankDetailsWindow window(book.services);
        openForEdit(book, window);
        QVERIFY(window.windowTitle().endsWith(QLatin1String("Edit")));
        QCOMPARE(QApplication::focusWidget(), field(&window, 0));
        retype(field(&window, 0), QStringLiteral("2004"));
        auto* month = child<QComboBox>(&window, QStringLiteral("cboCurrentMonth"));
        month->setFocus();
        month->setCurrentIndex(0);
        for (int i = 0; i < 10; ++i) // down to November with the keyboard
            QTest::keyClick(month, Qt::Key_Down);
        retype(field(&window, 2), QStringLiteral("First Bank"));
        field(&window, 5)->setText(typed[0]);
        field(&window, 6)->setText(typed[1]);
        if (typed.size() > 2)
            retype(field(&window, 4), typed[2]);
        field(&window, 4)->setFocus();
        QTest::keyClick(field(&window, 4), Qt::Key_Tab);
        // Saved at once, with no question; the window stays in Edit.
        book.prompts.expect(Messages::recordSaved());
        click(&window, "cmdSave");
        QVERIFY(book.prompts.verifyAllShown());
        QVERIFY(field(&window, 0)->isEnabled());
        QCOMPARE(field(&window, 4)->text(), balanceShown);
        QCOMPARE(book.value(kBankDetails).toString(), QStringLiteral("2004/11/") + stored);
        // Close after a further edit discards it.
        retype(field(&window, 2), QStringLiteral("Never Saved Bank"));
        click(&window, "cmdClose");
        QCOMPARE(
            book.value(QStringLiteral(R"(SELECT "BankName" FROM "tblBankDetails")")).toString(),
            QStringLiteral("First Bank"));
        // The month is kept as text: a server's column is text by its type, a SQLite one by what
        // was written.
        if (testEngine() == BookEngine::Sqlite)
            QCOMPARE(
                book.value(QStringLiteral(R"(SELECT typeof("CurrentMonth") FROM "tblBankDetails")"))
                    .toString(),
                QStringLiteral("text"));
    }

    void bankDetailsLeaveFieldAdvice_data() {
        columns<int, QString, QString, QString>("leftField", "nextCheque", "nextReceipt",
                                                "message");
        const QString advice = Messages::distinctNumberingAdvice();
        addRow("voucher letters, leaving the bank name", 2, "A1", "1",
               Messages::onlyNumbersForVouchers() + advice);
        addRow("receipt letters", 6, "1", "B", Messages::onlyNumbersForReceipts() + advice);
        addRow("same numbers are not compared", 5, "10", "10", "");
    }

    void bankDetailsLeaveFieldAdvice() {
        auto [leftField, nextCheque, nextReceipt, message] = fetch<int, QString, QString, QString>(
            "leftField", "nextCheque", "nextReceipt", "message");
        TestBook book;
        BankDetailsWindow window(book.services);
        openForEdit(book, window);
        field(&window, 5)->setText(nextCheque);
        field(&window, 6)->setText(nextReceipt);
        QLineEdit* left = field(&window, leftField);
        left->setFocus();
        if (!message.isEmpty())
            book.prompts.expect(message);
        QTest::keyClick(left, Qt::Key_Tab);
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(book.prompts.shown().size(), message.isEmpty() ? 1 : 2);
        // Advice only: the focus moves on.
        QVERIFY(QApplication::focusWidget() != left);
    }

    void companyNameInCapitalsOnSwitchboardAtOnce() {
        TestBook book;
        SwitchboardWindow switchboard(book.services);
        auto* panelName = child<QLineEdit>(&switchboard, QStringLiteral("txtCompanyName"));
        bool driven = false;
        whenModal([&](QDialog* window) {
            // A name of blanks is refused, with the focus on the name and nothing stored.
            retype(field(window, 0), QStringLiteral("   "));
            retype(field(window, 3), QStringLiteral("Singapore 0410"));
            book.prompts.expect(Messages::mustEnterCompanyName());
            click(window, "cmdSave");
            QCOMPARE(window->focusWidget(), field(window, 0));
            QCOMPARE(book.value(QStringLiteral(
                                    R"(SELECT COALESCE("Address3", '') FROM "tblSystemSetup")"))
                         .toString(),
                     QString());
            retype(field(window, 0), QStringLiteral("Acme Trading"));
            book.prompts.expect(Messages::recordSaved());
            click(window, "cmdSave");
            // At once: the window is still open.
            QCOMPARE(panelName->text(), QStringLiteral("ACME TRADING"));
            QCOMPARE(child<QLineEdit>(&switchboard, QStringLiteral("txtAddress3"))->text(),
                     QStringLiteral("SINGAPORE 0410"));
            driven = true;
            click(window, "cmdClose");
        });
        QVERIFY(runCommand(&switchboard, QStringLiteral("cmdCompanyDetails")));
        QVERIFY(driven);
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(
            book.value(QStringLiteral(
                           R"(SELECT "CompanyName" || '/' || "Address3" FROM "tblSystemSetup")"))
                .toString(),
            QStringLiteral("Acme Trading/Singapore 0410"));
    }

    void bankGlAccount_data() {
        columns<QString, QString, QString>("typed", "choice", "stored");
        // A typed code keeps the department and description it had; the seventh character is
        // refused.
        addRow("typed", "zz0123X", "", "zz0123/MAIN/Current");
        addRow("account chosen", "", "1010", "1010/SALES/Savings");
        addRow("chart closed", "", "", "1000/MAIN/Current");
    }

    void bankGlAccount() {
        auto [typed, choice, stored] =
            fetch<QString, QString, QString>("typed", "choice", "stored");
        if (typed.isEmpty() && testEngine() == BookEngine::PostgreSql)
            QSKIP("The chart's list pages by rowid, which a server book does not have yet");
        TestBook book;
        addAccount(book, QStringLiteral("1010"), QStringLiteral("SALES"),
                   QStringLiteral("Savings"));
        book.sql(QStringLiteral(R"(UPDATE "tblSystemSetup" SET "GLBankAccountCode" = '1000', )"
                                R"("BankAccountDept" = 'MAIN', "BankAccountDesc" = 'Current')"));
        BankGlAccountCodeWindow window(book.services);
        QVERIFY(showActive(&window));
        auto* account = child<QComboBox>(&window, QStringLiteral("cboAccountCode"));
        account->setFocus();
        if (!typed.isEmpty()) {
            QTest::keyClicks(account, typed);
        } else {
            chooseInChart(choice);
            QTest::keyClick(account, Qt::Key_Down, Qt::AltModifier);
            QCOMPARE(window.focusWidget()->objectName(), QStringLiteral("cmdSave"));
        }
        book.prompts.expect(Messages::saved());
        click(&window, "cmdSave");
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(window.focusWidget()->objectName(), QStringLiteral("cmdClose"));
        QCOMPARE(book.value(kBankGlRow).toString(), stored);
    }
};

QTEST_MAIN(TestSetupWindows)
#include "tst_setupwindows.moc"
