// The shell's shared services: the error report through the handler guard, the settings
// lookup over its whole key table, and the drop-down text limit.
#include "shell/handlerguard.h"
#include "shell/mrlookup.h"
#include "shell/settings.h"
#include "support/testbook.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <stdexcept>

namespace {

// Five lines for a procedure, six for a window handler; nothing about the failure itself.
QString reportPattern(const QString& form, const QString& routine) {
    QString pattern = QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: -?[0-9]+\r\n"
                                     "Error Description: [^\r\n]*\r\n");
    if (!form.isEmpty())
        pattern +=
            QStringLiteral("Form: ") + QRegularExpression::escape(form) + QStringLiteral("\r\n");
    return pattern + QStringLiteral("Routine: ") + QRegularExpression::escape(routine) +
           QLatin1Char('$');
}

} // namespace

class TestFoundation : public QObject {
    Q_OBJECT

private slots:
    void errorReport_data();
    void errorReport();
    void mrLookup_data();
    void mrLookup();
    void mrLookupFailure();
    void limitComboText_data();
    void limitComboText();
    void limitComboTextFailure();
};

void TestFoundation::errorReport_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("routine");
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("text");

    QTest::newRow("window handler, six lines")
        << "frmVendors" << "cmdSave" << qint64(3021) << "No current record."
        << "An error has occurred.\r\n\r\nError Number: 3021\r\nError Description: No current "
           "record.\r\nForm: frmVendors\r\nRoutine: cmdSave";
    QTest::newRow("procedure, five lines, negative number")
        << "" << "PreparetblDistribution" << Failure::DuplicateKeyNumber << "Duplicate."
        << "An error has occurred.\r\n\r\nError Number: -2147467259\r\nError Description: "
           "Duplicate.\r\nRoutine: PreparetblDistribution";
}

void TestFoundation::errorReport() {
    QFETCH(QString, form);
    QFETCH(QString, routine);
    QFETCH(qint64, number);
    QFETCH(QString, description);
    QFETCH(QString, text);

    TestBook book;
    book.prompts.expect(text);
    book.busy.set();
    int before = 0;
    int after = 0;
    const bool ok = guarded(book.services, form, routine, [&] {
        ++before;
        throw Failure(number, description);
        ++after;
    });
    QVERIFY(!ok);
    // The statements before the failure stay done, the ones after it are not run.
    QCOMPARE(before, 1);
    QCOMPARE(after, 0);
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().size(), 1);
    const ScriptedPrompts::Shown& shown = book.prompts.shown().first();
    QCOMPARE(shown.icon, Prompts::Icon::Critical);
    QCOMPARE(shown.buttons, Prompts::Buttons::Ok);
    QCOMPARE(shown.text.split(QStringLiteral("\r\n")).size(), form.isEmpty() ? 5 : 6);
    // No hourglass over the error box.
    QVERIFY(!book.busy.isBusy());

    // Any other exception is reported the same way, with the label of the handler.
    book.prompts.expectMatch(reportPattern(form, routine));
    QVERIFY(
        !guarded(book.services, form, routine, [] { throw std::runtime_error("out of range"); }));
    QVERIFY(book.prompts.verifyAllShown());
    QVERIFY(book.prompts.shown().last().text.contains(
        QLatin1String("Error Description: out of range\r\n")));

    // A handler that succeeds runs once and reports nothing.
    int runs = 0;
    QVERIFY(guarded(book.services, form, routine, [&] { ++runs; }));
    QCOMPARE(runs, 1);
    QCOMPARE(book.prompts.shown().size(), 2);
}

// Every key and sub-key against settings rows whose fields all hold different values.
void TestFoundation::mrLookup_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("subKey");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("expected");

    struct Account {
        int key;
        const char* code;
        const char* dept;
        const char* description;
    };
    const Account accounts[] = {{0, "2050", "APCL", "AP Clearing"},
                                {1, "2000", "APCT", "AP Control"},
                                {3, "1150", "ARCL", "AR Clearing"},
                                {4, "1100", "ARCT", "AR Control"},
                                {10, "1000", "MAIN", "Bank - Current Account"}};
    for (const Account& a : accounts) {
        QTest::addRow("key %d code", a.key) << a.key << 0 << QString() << a.code;
        QTest::addRow("key %d department", a.key) << a.key << 1 << QString() << a.dept;
        for (int sub : {2, -1})
            QTest::addRow("key %d sub-key %d", a.key, sub)
                << a.key << sub << QString() << a.description;
        // Sub-key 3 turns the description into a month name, which it is not.
        QTest::addRow("key %d month name", a.key) << a.key << 3 << QString() << "";
    }
    const std::tuple<int, int, const char*> others[] = {
        {6, 0, "M"},     {6, 9, "M"},    {2, 4, "1"},    {5, 4, "0"},
        {7, 4, "CBXX"},  {8, 4, "NZD"},  {9, 4, "AV"},   {11, 4, "12"},
        {11, 0, "12"},   {12, 4, "2003"}, {11, 3, "December"}, {12, 3, ""}};
    for (const auto& [key, sub, expected] : others)
        QTest::addRow("key %d sub-key %d", key, sub) << key << sub << QString() << expected;
    QTest::newRow("key 6 S") << 6 << 4 << "UPDATE tblAccpacSettings SET GLSingleMultiCurrency = 'S'"
                             << "S";
    QTest::newRow("month written as a number")
        << 11 << 3 << "UPDATE tblBankDetails SET CurrentMonth = 7" << "July";
    QTest::newRow("month with leading zero")
        << 11 << 3 << "UPDATE tblBankDetails SET CurrentMonth = '07'" << "";
    QTest::newRow("account description as month")
        << 4 << 3 << "UPDATE tblAccpacSettings SET GLARControlDesc = '5'" << "May";
    QTest::newRow("Null month name") << 11 << 3 << "UPDATE tblBankDetails SET CurrentMonth = NULL"
                                     << "";
    QTest::newRow("Null source code")
        << 7 << 4 << "UPDATE tblAccpacSettings SET GLSourceCode = NULL" << "";
    QTest::newRow("Null bank department")
        << 10 << 1 << "UPDATE tblSystemSetup SET BankAccountDept = NULL" << "";
    QTest::newRow("first row of two")
        << 12 << 4 << "INSERT INTO tblBankDetails (CurrentYear, CurrentMonth) VALUES ('1999', '1')"
        << "2003";
}

void TestFoundation::mrLookup() {
    QFETCH(int, key);
    QFETCH(int, subKey);
    QFETCH(QString, change);
    QFETCH(QString, expected);

    TestBook book;
    book.sql(
        QStringLiteral(
            "UPDATE tblAccpacSettings SET GLAPClearing = ?, GLAPClearingDept = ?, GLAPClearingDesc "
            "= ?, "
            "GLAPControl = ?, GLAPControlDept = ?, GLAPControlDesc = ?, GLARClearing = ?, "
            "GLARClearingDept = ?, GLARClearingDesc = ?, GLARControl = ?, GLARControlDept = ?, "
            "GLARControlDesc = ?, IntegrateWithAP = 1, IntegrateWithAR = 0, GLSingleMultiCurrency "
            "= ?, "
            "GLSourceCode = ?, GLHomeCurrency = ?, GLRateType = ?"),
        {"2050", "APCL", "AP Clearing", "2000", "APCT", "AP Control", "1150", "ARCL", "AR Clearing",
         "1100", "ARCT", "AR Control", "M", "CBXX", "NZD", "AV"});
    book.sql(QStringLiteral("UPDATE tblSystemSetup SET GLBankAccountCode = ?, BankAccountDept = ?, "
                            "BankAccountDesc = ?"),
             {"1000", "MAIN", "Bank - Current Account"});
    book.sql(QStringLiteral("UPDATE tblBankDetails SET CurrentMonth = ?, CurrentYear = ?"),
             {"12", "2003"});
    if (!change.isEmpty())
        book.sql(change);

    const QVariant value = ::mrLookup(book.services, key, subKey);
    QCOMPARE(value.toString(), expected);
    QCOMPARE(mrLookupText(book.services, key, subKey), expected);
    // A Null field reads as an empty text, not as a Null.
    QVERIFY(value.isValid());
    QVERIFY(!value.isNull());
    QCOMPARE(book.prompts.shown().size(), 0);
}

// Failures are reported as "mrLookup" (no window) and give an empty text.
void TestFoundation::mrLookupFailure() {
    const std::tuple<int, int, const char*> cases[] = {
        {13, 4, ""},
        {-1, 0, ""},
        {7, 4, "DELETE FROM tblAccpacSettings"},
        {10, 0, "DELETE FROM tblSystemSetup"},
        {12, 4, "DROP TABLE tblBankDetails"}};
    for (const auto& [key, subKey, damage] : cases) {
        TestBook book;
        if (*damage)
            book.sql(QLatin1String(damage));
        book.prompts.expectMatch(reportPattern(QString(), QStringLiteral("mrLookup")));
        QCOMPARE(::mrLookup(book.services, key, subKey).toString(), QString());
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(book.prompts.shown().first().icon, Prompts::Icon::Critical);
        // The caller carries on: the next lookup reports again and still gives an empty text.
        book.prompts.expectMatch(reportPattern(QString(), QStringLiteral("mrLookup")));
        QCOMPARE(mrLookupText(book.services, key, subKey), QString());
        QVERIFY2(book.prompts.verifyAllShown(), damage);
    }
}

void TestFoundation::limitComboText_data() {
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    QTest::newRow("account code cut at 6") << 6 << "1234567890" << "123456";
    QTest::newRow("exactly 6") << 6 << "ABC123" << "ABC123";
    QTest::newRow("shorter") << 6 << "10" << "10";
    QTest::newRow("limit 3") << 3 << "ABCDEF" << "ABC";
}

void TestFoundation::limitComboText() {
    QFETCH(int, limit);
    QFETCH(QString, typed);
    QFETCH(QString, kept);

    TestBook book;
    QWidget window;
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    combo->addItem(QStringLiteral("Z"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    LimitCBText(book.services, combo, limit);
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), typed);
    QCOMPARE(combo->currentText(), kept);
    // Typing on at the end adds nothing once the limit is reached.
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("Z"));
    QCOMPARE(combo->currentText().size(), std::min<qsizetype>(limit, kept.size() + 1));
    QCOMPARE(book.prompts.shown().size(), 0);
}

void TestFoundation::limitComboTextFailure() {
    TestBook book;
    QWidget window;
    auto* list = new QComboBox(&window);
    list->setEditable(false);
    book.prompts.expectMatch(reportPattern(QString(), QStringLiteral("LimitCBText")));
    LimitCBText(book.services, list, 6);
    QVERIFY(book.prompts.verifyAllShown());
    book.prompts.expectMatch(reportPattern(QString(), QStringLiteral("LimitCBText")));
    LimitCBText(book.services, nullptr, 6);
    QVERIFY(book.prompts.verifyAllShown());
}

QTEST_MAIN(TestFoundation)
#include "tst_foundation.moc"
