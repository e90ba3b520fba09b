// The shell's shared services: the error report through the handler guard, the settings
// lookup and the drop-down text limit.
#include "data/messages.h"
#include "kit/handlerguard.h"
#include "kit/mrlookup.h"
#include "support/datarows.h"
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
    void errorReport_data() {
        columns<QString>("form");
        addRow("window handler", "frmVendors");
        addRow("procedure", "");
    }

    void errorReport() {
        const QString form = std::get<0>(fetch<QString>("form"));
        TestBook book;
        const QString save = QStringLiteral("cmdSave");
        book.prompts.expect(Messages::errorReport(3021, "No current record.", form, save))
            .expect(Messages::errorReport(-1, "out of range", form, save));
        book.busy.set();
        int after = 0;
        QVERIFY(!guarded(book.services, form, save, [&] {
            throw Failure(3021, QStringLiteral("No current record."));
            ++after;
        }));
        QCOMPARE(after, 0);
        // No hourglass over the error box.
        QVERIFY(!book.busy.isBusy());
        // Any other exception is reported the same way, with the label of the handler.
        QVERIFY(
            !guarded(book.services, form, save, [] { throw std::runtime_error("out of range"); }));
        QVERIFY(guarded(book.services, form, save, [] {}));
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(book.prompts.shown().size(), 2);
        QCOMPARE(book.prompts.shown().first().icon, Prompts::Icon::Critical);
    }

    void mrLookup_data() {
        // expected: "report": the failure reported, an empty text
        columns<int, int, QString, QString>("key", "subKey", "change", "expected");
        // The first and last account keys, each sub-key, and the plain settings around them.
        addRow("AP clearing code", 0, 0, "", "2050");
        addRow("AP control department", 1, 1, "", "APCT");
        addRow("AR clearing description", 3, 2, "", "AR Clearing");
        addRow("any other sub-key is the description", 4, -1, "", "AR Control");
        addRow("bank account code", 10, 0, "", "1000");
        addRow("a description is no month", 10, 3, "", "");
        addRow("currency, sub-key ignored", 6, 9, "", "M");
        addRow("month name", 11, 3, "", "December");
        addRow("month stored as a number", 11, 3, "UPDATE tblBankDetails SET CurrentMonth = 7",
               "July");
        addRow("month with a leading zero", 11, 3, "UPDATE tblBankDetails SET CurrentMonth = '07'",
               "July");
        addRow("description as a month", 4, 3, "UPDATE tblAccpacSettings SET GLARControlDesc = '5'",
               "May");
        addRow("Null source code", 7, 4, "UPDATE tblAccpacSettings SET GLSourceCode = NULL", "");
        addRow("first row of two", 12, 4,
               "INSERT INTO tblBankDetails (CurrentYear, CurrentMonth) VALUES ('1999', '1')",
               "2003");
        // Failures are reported with the procedure's label; the caller carries on.
        addRow("no such key", 13, 4, "", "report");
        addRow("negative key", -1, 4, "", "report");
        addRow("no settings row", 7, 4, "DELETE FROM tblAccpacSettings", "report");
        addRow("no bank details table", 12, 4, "DROP TABLE tblBankDetails", "report");
    }

    void mrLookup() {
        auto [key, subKey, change, expected] =
            fetch<int, int, QString, QString>("key", "subKey", "change", "expected");
        TestBook book;
        book.sql(QStringLiteral(
            "UPDATE tblAccpacSettings SET GLAPClearing = '2050', GLAPControlDept = 'APCT', "
            "GLARClearingDesc = 'AR Clearing', GLARControlDesc = 'AR Control', "
            "GLSingleMultiCurrency = 'M', GLSourceCode = 'CBXX'"));
        book.sql(QStringLiteral("UPDATE tblSystemSetup SET GLBankAccountCode = '1000', "
                                "BankAccountDesc = 'Bank'"));
        book.sql(
            QStringLiteral("UPDATE tblBankDetails SET CurrentMonth = '12', CurrentYear = '2003'"));
        if (!change.isEmpty())
            book.sql(change);
        const bool fails = expected == QLatin1String("report");
        if (fails)
            book.prompts.expectMatch(procedureReport(QStringLiteral("mrLookup")));
        QCOMPARE(mrLookupText(book.services, key, subKey), fails ? QString() : expected);
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(book.prompts.shown().size(), fails ? 1 : 0);
        // A Null field reads as an empty text, not as a Null.
        if (!fails)
            QVERIFY(!::mrLookup(book.services, key, subKey).isNull());
    }

    // A list that cannot take typing is reported with the procedure's label.
    void limitTextOfAListWithoutTyping() {
        TestBook book;
        QComboBox list;
        book.prompts.expectMatch(procedureReport(QStringLiteral("LimitCBText")));
        book.prompts.expectMatch(procedureReport(QStringLiteral("LimitCBText")));
        LimitCBText(book.services, &list, 6);
        LimitCBText(book.services, nullptr, 6);
        QVERIFY(book.prompts.verifyAllShown());
    }
};

QTEST_MAIN(TestFoundation)
#include "tst_foundation.moc"
