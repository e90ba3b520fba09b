#include "data/messages.h"
#include "reconciliation/cashbookwindow.h"
#include "statement/csvmappingdialog.h"
#include "statement/statementimport.h"
#include "statement/statementreviewmodel.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

// A book with two outstanding payments and a reconciled one, and the statement tables.
struct ImportBook : TestBook {
    ImportBook() {
        for (const auto& [id, date, status, amount] :
             {std::tuple{"1001", "2024-03-01", "1", -500000},
              std::tuple{"1002", "2024-03-02", "1", -500000},
              std::tuple{"1003", "2024-03-03", "2", -70000}})
            sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, "
                               "TransStatus, DoubleEntryBank) VALUES (?, ?, '1', ?, ?)"),
                {QString::fromLatin1(id), QString::fromLatin1(date), QString::fromLatin1(status),
                 amount});
    }
    QString write(const char* name, const QByteArray& bytes) {
        const QString path = appDir() + QLatin1Char('/') + QLatin1String(name);
        writeFile(path, bytes);
        return path;
    }
    QString status(const char* id) {
        return value("SELECT TransStatus FROM tblCashbook WHERE TransID = ?",
                     {QString::fromLatin1(id)})
            .toString();
    }
    int lines() { return value("SELECT COUNT(*) FROM tblStatementLines").toInt(); }
};

// Two cheques of the same amount: one by its number, one by its date.
const QByteArray kOfx = "OFXHEADER:100\n<OFX><BANKTRANLIST>\n"
                        "<STMTTRN><DTPOSTED>20240305<TRNAMT>-50.00<FITID>X1<CHECKNUM>1001"
                        "</STMTTRN>\n"
                        "<STMTTRN><DTPOSTED>20240304<TRNAMT>-50.00<FITID>X2</STMTTRN>\n"
                        "<STMTTRN><DTPOSTED>20240331<TRNAMT>-2.00<FITID>X3<NAME>Fee</STMTTRN>\n"
                        "</BANKTRANLIST><LEDGERBAL><BALAMT>-109.00<DTASOF>20240331</LEDGERBAL>"
                        "</OFX>\n";

struct Script {
    int mappingAsked = 0;
    int reviewed = 0;
    QStringList entries;
    bool acceptReview = true;
    std::optional<CsvMapping> mapping;
    StatementImport::Dialogs dialogs() {
        StatementImport::Dialogs d;
        d.csvMapping = [this](QWidget*, const QByteArray&, const CsvMapping&) {
            ++mappingAsked;
            return mapping;
        };
        d.review = [this](QWidget*, StatementReviewModel&, const Statement&, int) {
            ++reviewed;
            return acceptReview;
        };
        // The first offer goes to an unknown account and is refused; the second is right.
        d.bankEntry = [this](QWidget*, const StatementLine&, StatementEntries::Choice& choice) {
            entries << QStringList{choice.type, choice.transId, choice.description}.join(' ');
            choice.accountCode =
                entries.size() == 1 ? QStringLiteral("9999") : QStringLiteral("6900");
            return StatementImport::Dialogs::Answer::Create;
        };
        return d;
    }
};

} // namespace

class TestStatementImport : public QObject {
    Q_OBJECT
private slots:
    void ofxAcceptedThenKnown() {
        // Through the reconciliation screen: two cheques matched, the fee made a bank entry,
        // and the statement's closing balance then agrees with the bank statement balance.
        ImportBook book;
        book.sql("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription) "
                 "VALUES ('6900', '', 'Bank Charges')");
        Script script;
        CashbookWindow window(book.services);
        window.setImportDialogs(script.dialogs());
        const QString path = book.write("march.ofx", kOfx);
        book.fileDialogs.answer(path);
        book.prompts.expect(Messages::statementImported(3, 2))
            .expect(Messages::statementEntriesQuestion(1), Prompts::Answer::Yes)
            .expect(Messages::unknownAccount());
        press(window, "cmdImportStatement");
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(script.entries, (QStringList{"5 BC240331 Fee", "5 BC240331 Fee"}));
        QCOMPARE(book.status("1001"), QStringLiteral("2"));
        QCOMPARE(book.status("1002"), QStringLiteral("2"));
        QCOMPARE(book.status("BC240331"), QStringLiteral("2"));
        // Money out of the bank, balanced on its offset account.
        QCOMPARE(book.value("SELECT COUNT(*) FROM tblCashbook WHERE TransID = 'BC240331' AND "
                            "DoubleEntryBank = -20000 AND OffsetGLAccountCode = '6900' AND "
                            "DoubleEntryBank + DoubleEntryOffset + DoubleEntryGST = 0")
                     .toInt(),
                 1);
        QCOMPARE(book.value("SELECT TransID FROM tblStatementLines WHERE BankID = 'X3'").toString(),
                 QStringLiteral("BC240331"));
        const auto text = [&window](const char* name) {
            return window.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
        };
        QCOMPARE(text("txtStatementClosingBalance"),
                 Money::parse(QStringLiteral("-109"))->format(Money::Format::Written));
        QCOMPARE(text("txtStatementDifference"), Money().format(Money::Format::Written));

        // The same file again adds nothing and says so, without a review.
        book.fileDialogs.answer(path);
        book.prompts.expect(Messages::statementAlreadyImported());
        QVERIFY(!StatementImport::run(book.services, nullptr, script.dialogs()));
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(script.reviewed, 1);
        QCOMPARE(book.lines(), 3);
    }

    void cancelAndRefusalWriteNothing() {
        ImportBook book;
        Script script;
        script.acceptReview = false;
        book.fileDialogs.answer(book.write("march.ofx", kOfx));
        QVERIFY(!StatementImport::run(book.services, nullptr, script.dialogs()));
        QByteArray broken = kOfx;
        broken.replace("-2.00", "two");
        book.fileDialogs.answer(book.write("broken.ofx", broken));
        book.prompts.expect(Messages::statementRefused(
            QStringLiteral("Line 5: <TRNAMT> \"two\" is not an amount.")));
        QVERIFY(!StatementImport::run(book.services, nullptr, script.dialogs()));
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(book.status("1001"), QStringLiteral("1"));
        QCOMPARE(book.lines(), 0);
    }

    void csvMappingAskedOnce() {
        ImportBook book;
        Script script;
        CsvMapping mapping;
        mapping.dateFormat = QStringLiteral("yyyy-MM-dd");
        mapping.textColumn = -1;
        script.mapping = mapping;
        book.fileDialogs.answer(book.write("a.csv", "Date,Amount\n2024-03-01,-50\n"));
        book.prompts.expect(Messages::statementImported(1, 1));
        QVERIFY(StatementImport::run(book.services, nullptr, script.dialogs()));
        // The next statement of the same bank is read with the kept mapping: no question.
        book.fileDialogs.answer(book.write("b.csv", "Date,Amount\n2024-03-02,-50\n"));
        book.prompts.expect(Messages::statementImported(1, 1));
        QVERIFY(StatementImport::run(book.services, nullptr, script.dialogs()));
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(script.mappingAsked, 1);
        QCOMPARE(book.status("1002"), QStringLiteral("2"));
    }

    void unmatchedLineLaterMadeAnEntry() {
        // The fee is kept without a transaction when the user says No; importing the same file
        // again offers it once more and makes its entry.
        ImportBook book;
        book.sql("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription) "
                 "VALUES ('6900', '', 'Bank Charges')");
        Script script;
        const QString path = book.write("march.ofx", kOfx);
        book.fileDialogs.answer(path);
        book.prompts.expect(Messages::statementImported(3, 2))
            .expect(Messages::statementEntriesQuestion(1), Prompts::Answer::No);
        QVERIFY(StatementImport::run(book.services, nullptr, script.dialogs()));
        QCOMPARE(book.value("SELECT COUNT(*) FROM tblCashbook").toInt(), 3);
        book.fileDialogs.answer(path);
        book.prompts.expect(Messages::statementAlreadyImported())
            .expect(Messages::statementEntriesQuestion(1), Prompts::Answer::Yes)
            .expect(Messages::unknownAccount());
        QCOMPARE(StatementImport::run(book.services, nullptr, script.dialogs())->entriesCreated, 1);
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(book.value("SELECT TransID FROM tblStatementLines WHERE BankID = 'X3'").toString(),
                 QStringLiteral("BC240331"));
        QCOMPARE(script.reviewed, 1);
    }

    void reviewChoices() {
        // Two lines tie for two equal transactions: nothing is chosen until the user does, and
        // one transaction goes to one line only.
        QList<StatementLine> lines(2);
        lines[0].date = lines[1].date = QDate(2024, 3, 2);
        lines[0].amount = lines[1].amount = *Money::parse(QStringLiteral("-50"));
        lines[0].reference = QStringLiteral("x");
        const QList<StatementMatcher::BookEntry> entries = {
            {QStringLiteral("1001"), QDate(2024, 3, 1), *Money::parse(QStringLiteral("-50"))},
            {QStringLiteral("1002"), QDate(2024, 3, 3), *Money::parse(QStringLiteral("-50"))}};
        StatementReviewModel model(lines, entries);
        QCOMPARE(model.acceptedCount(), 0);
        QCOMPARE(model.choicesFor(0), (QList<int>{0, 1}));
        QVERIFY(model.setData(model.index(0, StatementReviewModel::Transaction), 1, Qt::EditRole));
        QVERIFY(model.setData(model.index(1, StatementReviewModel::Transaction), 1, Qt::EditRole));
        QCOMPARE(model.result().at(0).transId, QString());
        QCOMPARE(model.result().at(1).transId, QStringLiteral("1002"));
        // Unticking keeps the line but reconciles nothing.
        model.setData(model.index(1, StatementReviewModel::Accept), Qt::Unchecked,
                      Qt::CheckStateRole);
        QCOMPARE(model.acceptedCount(), 0);
        QCOMPARE(model.result().at(1).transId, QString());
    }

    void mappingDialogPreview() {
        CsvMappingDialog dialog("Date;Amount\n05.03.2024;-1.234,50\n", CsvMapping{});
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QVERIFY(!ok->isEnabled()); // commas, slashes and full stops do not read this file
        dialog.findChild<QComboBox*>(QStringLiteral("cboDelimiter"))->setCurrentIndex(1);
        dialog.findChild<QComboBox*>(QStringLiteral("cboDecimal"))->setCurrentIndex(1);
        dialog.findChild<QSpinBox*>(QStringLiteral("spnTextColumn"))->setValue(0);
        auto* format = dialog.findChild<QLineEdit*>(QStringLiteral("txtDateFormat"));
        format->clear();
        QTest::keyClicks(format, QStringLiteral("dd.MM.yyyy"));
        QVERIFY(ok->isEnabled());
        const CsvMapping chosen = dialog.mapping();
        QCOMPARE(
            CsvStatement::read("Date;Amount\n05.03.2024;-1.234,50\n", chosen).lines.at(0).amount,
            Money::parse(QStringLiteral("-1234.50")));
    }
};

QTEST_MAIN(TestStatementImport)
#include "tst_statementimport.moc"
