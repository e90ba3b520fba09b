// The shell's shared services: the error report through the handler guard, the settings
// lookup and the drop-down text limit.
#include "data/messages.h"
#include "shell/handlerguard.h"
#include "shell/mrlookup.h"
#include "support/testbook.h"

#include <QComboBox>
#include <QTest>
#include <stdexcept>

namespace {

// A failure reported by a procedure (no window) labelled `routine`, whatever its cause.
QString procedureReport(const QString& routine) {
    return QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: -?[0-9]+\r\n"
                          "Error Description: [^\r\n]*\r\nRoutine: ") +
           routine + QLatin1Char('$');
}

} // namespace

class TestFoundation : public QObject {
    Q_OBJECT

private slots:
    void errorReport_data();
    void errorReport();
    void mrLookup_data();
    void mrLookup();
    void failuresReportedAndCarryOn();
};

void TestFoundation::errorReport_data() {
    QTest::addColumn<QString>("form");
    QTest::newRow("window handler") << "frmVendors";
    QTest::newRow("procedure") << "";
}

void TestFoundation::errorReport() {
    QFETCH(QString, form);
    TestBook book;
    book.prompts.expect(Messages::errorReport(3021, QStringLiteral("No current record."), form,
                                              QStringLiteral("cmdSave")));
    book.busy.set();
    int after = 0;
    QVERIFY(!guarded(book.services, form, QStringLiteral("cmdSave"), [&] {
        throw Failure(3021, QStringLiteral("No current record."));
        ++after;
    }));
    QCOMPARE(after, 0);
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().first().icon, Prompts::Icon::Critical);
    // No hourglass over the error box.
    QVERIFY(!book.busy.isBusy());
    // Any other exception is reported the same way, with the label of the handler.
    book.prompts.expect(
        Messages::errorReport(-1, QStringLiteral("out of range"), form, QStringLiteral("cmdSave")));
    QVERIFY(!guarded(book.services, form, QStringLiteral("cmdSave"),
                     [] { throw std::runtime_error("out of range"); }));
    QVERIFY(book.prompts.verifyAllShown());
    QVERIFY(guarded(book.services, form, QStringLiteral("cmdSave"), [] {}));
    QCOMPARE(book.prompts.shown().size(), 2);
}

void TestFoundation::mrLookup_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("subKey");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, int key, int subKey, const char* change,
                        const char* expected) {
        QTest::newRow(name) << key << subKey << QString::fromLatin1(change)
                            << QString::fromLatin1(expected);
    };
    // The first and last account keys, each sub-key, and the plain settings around them.
    row("AP clearing code", 0, 0, "", "2050");
    row("AP control department", 1, 1, "", "APCT");
    row("AR clearing description", 3, 2, "", "AR Clearing");
    row("any other sub-key is the description", 4, -1, "", "AR Control");
    row("bank account code", 10, 0, "", "1000");
    row("a description is no month", 10, 3, "", "");
    row("currency, sub-key ignored", 6, 9, "", "M");
    row("month name", 11, 3, "", "December");
    row("month stored as a number", 11, 3, "UPDATE tblBankDetails SET CurrentMonth = 7", "July");
    row("month with a leading zero", 11, 3, "UPDATE tblBankDetails SET CurrentMonth = '07'", "");
    row("description as a month", 4, 3, "UPDATE tblAccpacSettings SET GLARControlDesc = '5'",
        "May");
    row("Null source code", 7, 4, "UPDATE tblAccpacSettings SET GLSourceCode = NULL", "");
    row("first row of two", 12, 4,
        "INSERT INTO tblBankDetails (CurrentYear, CurrentMonth) VALUES ('1999', '1')", "2003");
}

void TestFoundation::mrLookup() {
    QFETCH(int, key);
    QFETCH(int, subKey);
    QFETCH(QString, change);
    QFETCH(QString, expected);
    TestBook book;
    book.sql(QStringLiteral(
        "UPDATE tblAccpacSettings SET GLAPClearing = '2050', GLAPClearingDept = 'APCL', "
        "GLAPClearingDesc = 'AP Clearing', GLAPControl = '2000', GLAPControlDept = 'APCT', "
        "GLAPControlDesc = 'AP Control', GLARClearing = '1150', GLARClearingDept = 'ARCL', "
        "GLARClearingDesc = 'AR Clearing', GLARControl = '1100', GLARControlDept = 'ARCT', "
        "GLARControlDesc = 'AR Control', IntegrateWithAP = 1, IntegrateWithAR = 0, "
        "GLSingleMultiCurrency = 'M', GLSourceCode = 'CBXX', GLHomeCurrency = 'NZD', "
        "GLRateType = 'AV'"));
    book.sql(QStringLiteral("UPDATE tblSystemSetup SET GLBankAccountCode = '1000', "
                            "BankAccountDept = 'MAIN', BankAccountDesc = 'Bank'"));
    book.sql(QStringLiteral("UPDATE tblBankDetails SET CurrentMonth = '12', CurrentYear = '2003'"));
    if (!change.isEmpty())
        book.sql(change);
    const QVariant value = ::mrLookup(book.services, key, subKey);
    QCOMPARE(value.toString(), expected);
    // A Null field reads as an empty text, not as a Null.
    QVERIFY(!value.isNull());
    QCOMPARE(book.prompts.shown().size(), 0);
}

// Failures are reported with the procedure's label; the caller carries on.
void TestFoundation::failuresReportedAndCarryOn() {
    const std::tuple<int, const char*> lookups[] = {{13, ""},
                                                    {-1, ""},
                                                    {7, "DELETE FROM tblAccpacSettings"},
                                                    {12, "DROP TABLE tblBankDetails"}};
    for (const auto& [key, damage] : lookups) {
        TestBook book;
        if (*damage)
            book.sql(QLatin1String(damage));
        book.prompts.expectMatch(procedureReport(QStringLiteral("mrLookup")));
        QCOMPARE(mrLookupText(book.services, key, 4), QString());
        QVERIFY2(book.prompts.verifyAllShown(), damage);
    }
    // A list that cannot take typing.
    TestBook book;
    QComboBox list;
    book.prompts.expectMatch(procedureReport(QStringLiteral("LimitCBText")));
    book.prompts.expectMatch(procedureReport(QStringLiteral("LimitCBText")));
    LimitCBText(book.services, &list, 6);
    LimitCBText(book.services, nullptr, 6);
    QVERIFY(book.prompts.verifyAllShown());
}

QTEST_MAIN(TestFoundation)
#include "tst_foundation.moc"
