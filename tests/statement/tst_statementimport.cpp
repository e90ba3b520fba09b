#include "data/messages.h"
#include "reconciliation/cashbookwindow.h"
#include "statement/csvmappingdialog.h"
#include "statement/statementimport.h"
#include "statement/statementreviewmodel.h"
#include "support/datarows.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStringEncoder>
#include <QTest>

namespace {

// A book with two outstanding payments and a reconciled one, and the statement tables.
struct ImportBook : TestBook {
    ImportBook() {
        sql("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, DoubleEntryBank) "
            "VALUES ('1001', '2024-03-01', '1', '1', -500000), "
            "('1002', '2024-03-02', '1', '1', -500000), ('1003', '2024-03-03', '1', '2', -70000)");
        // The account the bank entries are made against.
        sql("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription) "
            "VALUES ('6900', '', 'Bank Charges')");
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

// An OFX statement of lines given as "FITID yyyyMMdd amount".
QByteArray ofxOf(const QStringList& lines) {
    QByteArray ofx = "OFXHEADER:100\n<OFX><BANKTRANLIST>\n";
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char(' '));
        ofx += "<STMTTRN><DTPOSTED>" + f[1].toLatin1() + "<TRNAMT>" + f[2].toLatin1() + "<FITID>" +
               f[0].toLatin1() + "</STMTTRN>\n";
    }
    return ofx + "</BANKTRANLIST></OFX>\n";
}

// A statement file of several accounts; each account is "identifier:date amount, ...".
QByteArray ofxAccounts(const QStringList& accounts) {
    QByteArray body;
    for (const QString& account : accounts) {
        const QStringList parts = account.split(QLatin1Char(':'));
        body += "<STMTTRNRS><STMTRS><CURDEF>USD<BANKACCTFROM><ACCTID>" + parts[0].toUtf8() +
                "</BANKACCTFROM><BANKTRANLIST>\n";
        int fitid = 0;
        for (const QString& line : parts[1].split(QLatin1Char(','))) {
            const QStringList f = line.trimmed().split(QLatin1Char(' '));
            body += "<STMTTRN><DTPOSTED>" + f[0].toUtf8() + "<TRNAMT>" + f[1].toUtf8() + "<FITID>" +
                    parts[0].toUtf8() + QByteArray::number(++fitid) + "</STMTTRN>\n";
        }
        body += "</BANKTRANLIST></STMTRS></STMTTRNRS>\n";
    }
    return "OFXHEADER:100\n<OFX><BANKMSGSRSV1>" + body + "</BANKMSGSRSV1></OFX>\n";
}

// A camt.053 file of day statements: each is "IBAN closing-date closing entry-amount[ status]".
QByteArray camtDays(const QStringList& days) {
    QByteArray body;
    for (const QString& day : days) {
        const QStringList f = day.split(QLatin1Char(' '));
        const QByteArray date = f[1].toUtf8();
        body += "<Stmt><Acct><Id><IBAN>" + f[0].toUtf8() +
                "</IBAN></Id><Ccy>USD</Ccy></Acct><Bal><Tp><CdOrPrtry><Cd>CLBD</Cd></CdOrPrtry>"
                "</Tp><Amt Ccy=\"USD\">" +
                f[2].toUtf8() + "</Amt><CdtDbtInd>DBIT</CdtDbtInd><Dt><Dt>" + date +
                "</Dt></Dt></Bal><Ntry><Amt Ccy=\"USD\">" + f[3].toUtf8() +
                "</Amt><CdtDbtInd>DBIT</CdtDbtInd><Sts>" + (f.size() > 4 ? f[4] : "BOOK").toUtf8() +
                "</Sts><BookgDt><Dt>" + date + "</Dt></BookgDt></Ntry></Stmt>\n";
    }
    return "<?xml version=\"1.0\"?>\n<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:"
           "camt.053.001.02\"><BkToCstmrStmt>" +
           body + "</BkToCstmrStmt></Document>\n";
}

struct Script {
    int mappingAsked = 0;
    int reviewed = 0;
    int accountChoice = -1;
    QStringList accountsOffered;
    QStringList reviewedLines; // each "date amount", then "closing amount date"
    QStringList entries;
    bool acceptReview = true;
    std::optional<CsvMapping> mapping;
    StatementImport::Dialogs dialogs() {
        StatementImport::Dialogs d;
        d.csvMapping = [this](QWidget*, const QByteArray&, const CsvMapping&) {
            ++mappingAsked;
            return mapping;
        };
        d.chooseAccount = [this](QWidget*, const QString& question, const QStringList& offered) {
            accountsOffered = QStringList{question} + offered;
            return accountChoice;
        };
        d.review = [this](QWidget*, StatementReviewModel&, const Statement& statement, int) {
            ++reviewed;
            for (const StatementLine& line : statement.lines)
                reviewedLines << line.date.toString(Qt::ISODate) + QLatin1Char(' ') +
                                     line.amount.toPlainString();
            if (statement.closingBalance)
                reviewedLines << QStringLiteral("closing %1 %2")
                                     .arg(statement.closingBalance->toPlainString(),
                                          statement.closingDate.toString(Qt::ISODate));
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
        QCOMPARE(textOf(&window, "txtStatementClosingBalance"),
                 Money::parse(QStringLiteral("-109"))->format(Money::Format::Written));
        QCOMPARE(textOf(&window, "txtStatementDifference"), Money().format(Money::Format::Written));

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

    // Two statements imported one after the other, their lines matching no transaction: how
    // many lines of the second are kept (-1: every one was imported before), and how many
    // the book then holds. Banks reuse their identifiers, so a line was imported before only
    // when the same bank account holds one of its identifier, date and amount.
    void knownLines_data() {
        columns<QStringList, QStringList, bool, int, int>("first", "second", "otherAccount",
                                                          "secondKept", "kept");
        const QStringList twice{"1 20240305 -7.00", "1 20240305 -7.00"};
        addRow("one line twice in a file, then the file again", twice, twice, false, -1, 2);
        addRow("identifiers reused the next month",
               QStringList{"1 20240305 -7.00", "2 20240306 -8.00"},
               QStringList{"1 20240405 -9.00", "2 20240406 -8.00"}, false, 2, 4);
        addRow("one of two equal lines imported before", twice.mid(1), twice, false, 1, 2);
        addRow("the same line into another bank account", twice.mid(1), twice.mid(1), true, 1, 2);
    }
    void knownLines() {
        auto [first, second, otherAccount, secondKept, kept] =
            fetch<QStringList, QStringList, bool, int, int>("first", "second", "otherAccount",
                                                            "secondKept", "kept");
        ImportBook book;
        Script script;
        const auto import = [&book, &script](const QStringList& lines, int fresh) {
            book.fileDialogs.answer(book.write("statement.ofx", ofxOf(lines)));
            book.prompts.expect(fresh < 0 ? Messages::statementAlreadyImported()
                                          : Messages::statementImported(fresh, 0));
            // The lines without a transaction are offered as bank entries.
            book.prompts.expect(
                Messages::statementEntriesQuestion(fresh < 0 ? lines.size() : fresh),
                Prompts::Answer::No);
            StatementImport::run(book.services, nullptr, script.dialogs());
            return book.prompts.verifyAllShown();
        };
        QVERIFY(import(first, int(first.size())));
        if (otherAccount)
            book.sql("UPDATE tblSystemSetup SET GLBankAccountCode = '1010'");
        QVERIFY(import(second, secondKept));
        QCOMPARE(book.lines(), kept);
    }

    // A book of the previous format keeps its lines (now of its bank account) and its CSV
    // column mapping, which reads the next statement without asking.
    void earlierFormatBook() {
        TestBook book(TestBook::Open::No);
        QFile::remove(book.bookPath());
        writeBookOfVersion(book.bookPath(), 3);
        changeFile(book.bookPath(),
                   {"INSERT INTO tblStatementLines (BankID, LineDate, Amount, ImportedOn) "
                    "VALUES ('1', '2024-03-05', -70000, '2024-04-01')",
                    "UPDATE tblSystemSetup SET GLBankAccountCode = '1000'",
                    "INSERT INTO tblStatementCsvMapping VALUES ('1000', "
                    "'v1|1|;|dd.MM.yyyy|,|0|1|-1|-1|-1|2')"});
        QCOMPARE(book.db.open(book.bookPath()).fromVersion, 3);
        QCOMPARE(book.rows("SELECT BankAccount, BankID FROM tblStatementLines"),
                 QStringList{"1000|1"});
        Script script;
        const QString csv = book.appDir() + QStringLiteral("/april.csv");
        writeFile(csv, "Datum;Betrag;Text\n05.04.2024;-7,00;Fee\n");
        book.fileDialogs.answer(csv);
        book.prompts.expect(Messages::statementImported(1, 0))
            .expect(Messages::statementEntriesQuestion(1), Prompts::Answer::No);
        QVERIFY(StatementImport::run(book.services, nullptr, script.dialogs()));
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(script.mappingAsked, 0);
        // The same identifier, date and amount as the line kept before the upgrade.
        const QString ofx = book.appDir() + QStringLiteral("/march.ofx");
        writeFile(ofx, ofxOf({"1 20240305 -7.00"}));
        book.fileDialogs.answer(ofx);
        book.prompts.expect(Messages::statementAlreadyImported())
            .expect(Messages::statementEntriesQuestion(1), Prompts::Answer::No);
        QVERIFY(!StatementImport::run(book.services, nullptr, script.dialogs()));
        QVERIFY(book.prompts.verifyAllShown());
    }

    void accountsAndKinds_data() {
        // The book's bank account number and home currency; the boxes shown (a text, or a
        // pattern starting with ^; questions answered No); the account chosen when asked
        // (-2: must not be asked) and what was offered; the lines reviewed.
        columns<QByteArray, QString, QString, QStringList, int, QStringList, QStringList>(
            "file", "bookAccount", "homeCurrency", "boxes", "choice", "offered", "reviewed");
        const QByteArray threeAccounts =
            ofxAccounts({"111-222-333:20240301 -50, 20240302 -50", "XXXXXXXXXXXX4321:20240303 -7",
                         "DE02120300000000202051:20240304 -8"});
        addRow("the account with the book's number", threeAccounts, "111 222 333", "USD",
               QStringList{}, -2, QStringList{}, QStringList{"2024-03-01 -50", "2024-03-02 -50"});
        addRow("a masked card number by its last digits", threeAccounts, "4111-1111-1111-4321",
               "USD", QStringList{}, -2, QStringList{}, QStringList{"2024-03-03 -7"});
        addRow("an account number within an IBAN", threeAccounts, "0000202051", "USD",
               QStringList{}, -2, QStringList{}, QStringList{"2024-03-04 -8"});
        const QStringList offered = {
            Messages::statementWhichAccount(QStringLiteral("777")),
            Messages::statementAccountChoice(QStringLiteral("111-222-333"), 2, QDate(2024, 3, 1),
                                             QDate(2024, 3, 2)),
            Messages::statementAccountChoice(QStringLiteral("XXXXXXXXXXXX4321"), 1,
                                             QDate(2024, 3, 3), QDate(2024, 3, 3)),
            Messages::statementAccountChoice(QStringLiteral("DE02120300000000202051"), 1,
                                             QDate(2024, 3, 4), QDate(2024, 3, 4))};
        addRow("no account matches: asked", threeAccounts, "777", "USD", QStringList{}, 1, offered,
               QStringList{"2024-03-03 -7"});
        addRow("asked and cancelled", threeAccounts, "777", "USD", QStringList{}, -1, offered,
               QStringList{});
        addRow("days of one account joined",
               camtDays({"DE89370400440532013000 2024-03-05 150.00 20.00",
                         "DE02120300000000202051 2024-03-05 9.00 9.00",
                         "DE89370400440532013000 2024-03-04 130.00 30.00"}),
               "DE89 3704 0044 0532 0130 00", "USD", QStringList{}, -2, QStringList{},
               QStringList{"2024-03-04 -30", "2024-03-05 -20", "closing -150 2024-03-05"});
        addRow("pending entries left out and told",
               camtDays({"DE89370400440532013000 2024-03-05 150.00 20.00",
                         "DE89370400440532013000 2024-03-06 150.00 30.00 PDNG"}),
               "DE89370400440532013000", "USD", QStringList{Messages::statementPendingLeftOut(1)},
               -2, QStringList{}, QStringList{"2024-03-05 -20", "closing -150 2024-03-06"});
        addRow("another currency: asked", ofxAccounts({"111-222-333:20240301 -50"}), "111-222-333",
               "EUR",
               QStringList{Messages::statementCurrencyQuestion(QStringLiteral("USD"),
                                                               QStringLiteral("EUR"))},
               -2, QStringList{}, QStringList{});
        addRow("XML of another kind is refused, never mapped",
               QByteArray("<?xml version=\"1.0\"?>\n<Document xmlns=\"urn:iso:std:iso:20022:tech:"
                          "xsd:camt.056.001.01\"><FIToFIPmtCxlReq/></Document>\n"),
               "", "USD",
               QStringList{"^The statement cannot be read[\\s\\S]*camt\\.056\\.001\\.01"}, -2,
               QStringList{}, QStringList{});
        QStringEncoder encoder(QStringEncoder::Utf16BE);
        addRow("a UTF-16 camt file",
               "\xfe\xff" + QByteArray(encoder(QString::fromUtf8(
                                camtDays({"DE89370400440532013000 2024-03-05 150.00 20.00"})))),
               "DE89370400440532013000", "USD", QStringList{}, -2, QStringList{},
               QStringList{"2024-03-05 -20", "closing -150 2024-03-05"});
    }

    void accountsAndKinds() {
        const auto [file, bookAccount, homeCurrency, boxes, choice, offered, reviewed] =
            fetch<QByteArray, QString, QString, QStringList, int, QStringList, QStringList>(
                "file", "bookAccount", "homeCurrency", "boxes", "choice", "offered", "reviewed");
        ImportBook book;
        book.sql("UPDATE tblBankDetails SET BankAccountNumber = ?", {bookAccount});
        book.sql("UPDATE tblAccpacSettings SET GLHomeCurrency = ?", {homeCurrency});
        Script script;
        script.acceptReview = false;
        script.accountChoice = choice;
        book.fileDialogs.answer(book.write("statement.xml", file));
        for (const QString& box : boxes)
            book.prompts.expectBox(box);
        QVERIFY(!StatementImport::run(book.services, nullptr, script.dialogs()));
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(script.accountsOffered, offered);
        QCOMPARE(script.reviewedLines, reviewed);
        QCOMPARE(script.mappingAsked, 0);
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

    // The dialog driven as a user does, from the default mapping; the columns are counted
    // from 1 as it shows them (0: none). OK is possible once the whole file reads.
    void mappingDialogPreview_data() {
        columns<QByteArray, int, int, QString, int, int, int, QString, QString, bool, QStringList>(
            "data", "delimiter", "decimal", "dateFormat", "amount", "text", "indicator", "debit",
            "credit", "invert", "amounts");
        addRow("semicolons and decimal comma", QByteArray("Date;Amount\n05.03.2024;-1.234,50\n"), 1,
               1, "dd.MM.yyyy", 2, 0, 0, "", "", false, QStringList{"-1234.5"});
        addRow("debit/credit indicator",
               QByteArray("Date,Amount,Type\n2024-03-01,12.50,Debit\n2024-03-02,3.00,Credit\n"), 0,
               0, "yyyy-MM-dd", 2, 0, 3, "debit", "credit", false, QStringList{"-12.5", "3"});
        addRow("card statement, sign inverted",
               QByteArray("Date,Description,Amount\n03/02/2024,COFFEE,4.50\n"
                          "03/05/2024,PAYMENT,-20.00\n"),
               0, 0, "MM/dd/yyyy", 3, 2, 0, "", "", true, QStringList{"-4.5", "20"});
    }
    void mappingDialogPreview() {
        auto [data, delimiter, decimal, dateFormat, amount, text, indicator, debit, credit, invert,
              amounts] =
            fetch<QByteArray, int, int, QString, int, int, int, QString, QString, bool,
                  QStringList>("data", "delimiter", "decimal", "dateFormat", "amount", "text",
                               "indicator", "debit", "credit", "invert", "amounts");
        const QDate today(2024, 6, 30);
        CsvMappingDialog dialog(data, CsvMapping{}, today);
        auto* ok = child<QPushButton>(&dialog, QStringLiteral("cmdOK"));
        child<QComboBox>(&dialog, QStringLiteral("cboDelimiter"))->setCurrentIndex(delimiter);
        child<QComboBox>(&dialog, QStringLiteral("cboDecimal"))->setCurrentIndex(decimal);
        child<QSpinBox>(&dialog, QStringLiteral("spnAmountColumn"))->setValue(amount);
        child<QSpinBox>(&dialog, QStringLiteral("spnTextColumn"))->setValue(text);
        auto* format = child<QLineEdit>(&dialog, QStringLiteral("txtDateFormat"));
        format->clear();
        QTest::keyClicks(format, dateFormat);
        if (indicator > 0) {
            // An indicator column without its values reads nothing, and says why.
            child<QSpinBox>(&dialog, QStringLiteral("spnIndicatorColumn"))->setValue(indicator);
            QVERIFY(!ok->isEnabled());
            QCOMPARE(child<QLabel>(&dialog, QStringLiteral("lblPreviewResult"))->text(),
                     Messages::statementCsvIndicatorValues());
            QTest::keyClicks(child<QLineEdit>(&dialog, QStringLiteral("txtDebitValue")), debit);
            QTest::keyClicks(child<QLineEdit>(&dialog, QStringLiteral("txtCreditValue")), credit);
        }
        if (invert)
            child<QCheckBox>(&dialog, QStringLiteral("chkInvertSign"))->click();
        QVERIFY(ok->isEnabled());
        QStringList got;
        for (const StatementLine& line : CsvStatement::read(data, dialog.mapping(), today).lines)
            got << line.amount.toPlainString();
        QCOMPARE(got, amounts);
    }
};

QTEST_MAIN(TestStatementImport)
#include "tst_statementimport.moc"
