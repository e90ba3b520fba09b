#include "data/messages.h"
#include "statement/camtreader.h"
#include "statement/csvstatement.h"
#include "statement/ofxreader.h"
#include "statement/statementmatcher.h"
#include "statement/statementstore.h"
#include "support/datarows.h"
#include "support/testbook.h"

#include <QTest>

using StatementMatcher::Kind;

namespace {

// The day every CSV test reads on: two-digit years are placed around it.
const QDate kToday(2024, 6, 30);

Money m(const char* text) {
    return *Money::parse(QString::fromLatin1(text));
}

const QByteArray kOfx1 = "OFXHEADER:100\r\nDATA:OFXSGML\r\nCHARSET:1252\r\n\r\n"
                         "<OFX><BANKMSGSRSV1><STMTTRNRS><STMTRS><BANKTRANLIST>\r\n"
                         "<STMTTRN><TRNTYPE>CHECK<DTPOSTED>20240305120000[-5:EST]"
                         "<TRNAMT>-1,234.56<FITID>A1<CHECKNUM>001002<NAME>Smith &amp; Co"
                         "<MEMO>Cheque</STMTTRN>\r\n"
                         "<STMTTRN><TRNTYPE>FEE<DTPOSTED>20240331<TRNAMT>-7,50"
                         "<NAME>Fee</STMTTRN>\r\n"
                         "</BANKTRANLIST><LEDGERBAL><BALAMT>1000.05<DTASOF>20240331"
                         "</LEDGERBAL></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\r\n";

const QByteArray kCamt =
    "<?xml version=\"1.0\"?>\n"
    "<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:camt.053.001.02\"><BkToCstmrStmt><Stmt>\n"
    "<Bal><Tp><CdOrPrtry><Cd>OPBD</Cd></CdOrPrtry></Tp><Amt Ccy=\"EUR\">5.00</Amt>"
    "<CdtDbtInd>CRDT</CdtDbtInd><Dt><Dt>2024-03-01</Dt></Dt></Bal>\n"
    "<Bal><Tp><CdOrPrtry><Cd>CLBD</Cd></CdOrPrtry></Tp><Amt Ccy=\"EUR\">12.30</Amt>"
    "<CdtDbtInd>DBIT</CdtDbtInd><Dt><Dt>2024-03-31</Dt></Dt></Bal>\n"
    "<Ntry><Amt Ccy=\"EUR\">250.10</Amt><CdtDbtInd>CRDT</CdtDbtInd>"
    "<BookgDt><Dt>2024-03-04</Dt></BookgDt><AcctSvcrRef>REF-9</AcctSvcrRef>"
    "<NtryDtls><TxDtls><Refs><EndToEndId>500001</EndToEndId></Refs>"
    "<RltdPties><Dbtr><Nm>Jones</Nm></Dbtr></RltdPties>"
    "<RmtInf><Ustrd>Invoice 7</Ustrd></RmtInf></TxDtls></NtryDtls></Ntry>\n"
    "<Ntry><Amt Ccy=\"EUR\">0.5</Amt><CdtDbtInd>DBIT</CdtDbtInd>"
    "<BookgDt><DtTm>2024-03-30T10:00:00</DtTm></BookgDt></Ntry>\n"
    "</Stmt></BkToCstmrStmt></Document>\n";

} // namespace

class TestStatement : public QObject {
    Q_OBJECT
private slots:
    void amounts_data();
    void amounts();
    void ofxFields();
    void camtFields();
    void csvLayouts_data();
    void csvLayouts();
    void malformed_data();
    void malformed();
    void matching_data();
    void matching();
    void acceptAndReimport();
};

void TestStatement::amounts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected"); // empty: refused
    QTest::newRow("plain") << "12.34"
                           << "."
                           << "12.34";
    QTest::newRow("thousands") << "-1,234.5"
                               << "."
                               << "-1234.5";
    QTest::newRow("decimal comma") << "1.234,56"
                                   << ","
                                   << "1234.56";
    QTest::newRow("trailing minus") << "7,25-"
                                    << ","
                                    << "-7.25";
    QTest::newRow("ten-thousandths kept") << "0.0001"
                                          << "."
                                          << "0.0001";
    QTest::newRow("comma is no decimal point") << "1,5"
                                               << "."
                                               << "";
    QTest::newRow("bad group") << "12,34.00"
                               << "."
                               << "";
    QTest::newRow("four digits before a group") << "1234,567.00"
                                                << "."
                                                << "";
    QTest::newRow("two signs") << "-5-"
                               << "."
                               << "";
    QTest::newRow("text") << "abc"
                          << "."
                          << "";
}

void TestStatement::amounts() {
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    const std::optional<Money> value = StatementText::amount(text, separator.front());
    QCOMPARE(value.has_value(), !expected.isEmpty());
    if (value)
        QCOMPARE(*value, *Money::parse(expected));
}

void TestStatement::ofxFields() {
    // The same statement as OFX 1.x (SGML) and as OFX 2.x (XML, end tags on every element).
    QByteArray xml = kOfx1;
    xml.replace("OFXHEADER:100\r\nDATA:OFXSGML\r\nCHARSET:1252\r\n\r\n",
                "<?xml version=\"1.0\"?><?OFX OFXHEADER=\"200\"?>");
    for (const char* leaf : {"TRNTYPE", "DTPOSTED", "TRNAMT", "FITID", "CHECKNUM", "NAME", "MEMO",
                             "BALAMT", "DTASOF"}) {
        const QByteArray tag = QByteArray("<") + leaf + ">";
        qsizetype at = 0;
        while ((at = xml.indexOf(tag, at)) >= 0) {
            const qsizetype end = xml.indexOf('<', at + tag.size());
            xml.insert(end, QByteArray("</") + leaf + ">");
            at = end;
        }
    }
    for (const QByteArray& data : {kOfx1, xml}) {
        const Statement s = OfxReader::read(data);
        QCOMPARE(s.lines.size(), 2);
        const StatementLine& cheque = s.lines.at(0);
        QCOMPARE(cheque.date, QDate(2024, 3, 5));
        QCOMPARE(cheque.amount, m("-1234.56"));
        QCOMPARE(cheque.bankId, QStringLiteral("A1"));
        QCOMPARE(cheque.reference, QStringLiteral("001002"));
        QCOMPARE(cheque.name, QStringLiteral("Smith & Co"));
        QCOMPARE(cheque.memo, QStringLiteral("Cheque"));
        QCOMPARE(s.lines.at(1).amount, m("-7.50"));
        // No FITID: the line is known by a hash of its contents.
        QVERIFY(s.lines.at(1).bankId.startsWith(QLatin1Char('#')));
        QCOMPARE(s.closingBalance, m("1000.05"));
        QCOMPARE(s.closingDate, QDate(2024, 3, 31));
    }
}

void TestStatement::camtFields() {
    const Statement s = CamtReader::read(kCamt);
    QCOMPARE(s.lines.size(), 2);
    QCOMPARE(s.lines.at(0).amount, m("250.10"));
    QCOMPARE(s.lines.at(0).date, QDate(2024, 3, 4));
    QCOMPARE(s.lines.at(0).bankId, QStringLiteral("REF-9"));
    QCOMPARE(s.lines.at(0).reference, QStringLiteral("500001"));
    QCOMPARE(s.lines.at(0).name, QStringLiteral("Jones"));
    QCOMPARE(s.lines.at(0).memo, QStringLiteral("Invoice 7"));
    QCOMPARE(s.lines.at(1).amount, m("-0.50"));
    QCOMPARE(s.lines.at(1).date, QDate(2024, 3, 30));
    // The closing booked balance, not the opening one; a debit balance is negative.
    QCOMPARE(s.closingBalance, m("-12.30"));
    QCOMPARE(s.closingDate, QDate(2024, 3, 31));
}

// Each row: a bank's file, its mapping as the book keeps it (see CsvMapping::toText), and
// every line read as "date|amount|reference|text".
void TestStatement::csvLayouts_data() {
    columns<QByteArray, QString, QStringList>("data", "mapping", "lines");
    addRow("debit and credit columns",
           QByteArray("Date;Out;In;Ref;Text\n"
                      "05.03.2024;1.234,56;;1002;\"Smith; \"\"A\"\"\"\n"
                      "\n"
                      "06.03.2024;;80,00;;Deposit\n"
                      "06.03.2024;;80,00;;Deposit\n"),
           QStringLiteral("v2|1|;|dd.MM.yyyy|,|0|-1|1|2|3|4|-1|||0"),
           QStringList{"2024-03-05|-1234.56|1002|Smith; \"A\"", "2024-03-06|80||Deposit",
                       "2024-03-06|80||Deposit"});
    addRow("two-digit years around today",
           QByteArray("Datum;Bedrag;Omschrijving\n28.03.18;-12,50;a\n01.07.50;3,00;b\n"
                      "31.12.43;4,00;c\n29.02.00;1,00;d\n"),
           QStringLiteral("v2|1|;|dd.MM.yy|,|0|1|-1|-1|-1|2|-1|||0"),
           QStringList{"2018-03-28|-12.5||a", "1950-07-01|3||b", "2043-12-31|4||c",
                       "2000-02-29|1||d"});
    addRow("indicator D or C",
           QByteArray("Date,Amount,Dr/Cr,Details\n2024-03-01,12.50,D,Fee\n"
                      "2024-03-02,100.00,c,Deposit\n2024-03-03,-7.00,D,Reversal shown negative\n"),
           QStringLiteral("v2|1|,|yyyy-MM-dd|.|0|1|-1|-1|-1|3|2|D|C|0"),
           QStringList{"2024-03-01|-12.5||Fee", "2024-03-02|100||Deposit",
                       "2024-03-03|-7||Reversal shown negative"});
    addRow("indicator Af or Bij",
           QByteArray("\"Datum\",\"Naam / Omschrijving\",\"Rekening\",\"Af Bij\",\"Bedrag "
                      "(EUR)\",\"Mededelingen\"\n"
                      "\"20240301\",\"Albert Heijn 1234\",\"NL00BANK0123456789\",\"Af\",\"12,34\","
                      "\"Pasvolgnr: 001\"\n"
                      "\"20240302\",\"Werkgever BV\",\"NL00BANK0123456789\",\"Bij\",\"2.500,00\","
                      "\"Salaris maart\"\n"),
           QStringLiteral("v2|1|,|yyyyMMdd|,|0|4|-1|-1|-1|1|3|Af|Bij|0"),
           QStringList{"2024-03-01|-12.34||Albert Heijn 1234", "2024-03-02|2500||Werkgever BV"});
    addRow("card statement, charges positive",
           QByteArray("Transaction Date,Description,Amount\n03/02/2024,COFFEE HOUSE,4.50\n"
                      "03/05/2024,PAYMENT - THANK YOU,-250.00\n"),
           QStringLiteral("v2|1|,|MM/dd/yyyy|.|0|2|-1|-1|-1|1|-1|||1"),
           QStringList{"2024-03-02|-4.5||COFFEE HOUSE", "2024-03-05|250||PAYMENT - THANK YOU"});
    addRow("time after the date ignored",
           QByteArray("Date,Amount,Text\n2021-02-03 13:12,-5.00,a\n2021-02-04T08:00:00Z,6.00,b\n"
                      "2021-02-05 9:30:15 PM,7.00,c\n"),
           QStringLiteral("v2|1|,|yyyy-MM-dd|.|0|1|-1|-1|-1|2|-1|||0"),
           QStringList{"2021-02-03|-5||a", "2021-02-04|6||b", "2021-02-05|7||c"});
    addRow("time in the format", QByteArray("Date,Amount,Text\n03/02/21 13:12,-5.00,a\n"),
           QStringLiteral("v2|1|,|dd/MM/yy HH:mm|.|0|1|-1|-1|-1|2|-1|||0"),
           QStringList{"2021-02-03|-5||a"});
    addRow("dollar sign and currency code",
           QByteArray("Date,Amount,Text\n2024-03-01,$20.00,a\n2024-03-02,\"-$1,234.50\",b\n"
                      "2024-03-03,USD 20.00,c\n2024-03-04,USD -3.10,d\n2024-03-05,7.25 USD,e\n"
                      "2024-03-06,$ -0.01,f\n"),
           QStringLiteral("v2|1|,|yyyy-MM-dd|.|0|1|-1|-1|-1|2|-1|||0"),
           QStringList{"2024-03-01|20||a", "2024-03-02|-1234.5||b", "2024-03-03|20||c",
                       "2024-03-04|-3.1||d", "2024-03-05|7.25||e", "2024-03-06|-0.01||f"});
    addRow("euro sign, decimal comma",
           QString::fromUtf8("Datum;Betrag;Text\n01.03.2024;-€1.234,56;a\n02.03.2024;€ 5,00;b\n"
                             "03.03.2024;12,00 EUR;c\n04.03.2024;3,50 €;d\n")
               .toUtf8(),
           QStringLiteral("v2|1|;|dd.MM.yyyy|,|0|1|-1|-1|-1|2|-1|||0"),
           QStringList{"2024-03-01|-1234.56||a", "2024-03-02|5||b", "2024-03-03|12||c",
                       "2024-03-04|3.5||d"});
    // A spreadsheet's "Unicode text": UTF-16 with its byte-order mark, fields split by tabs.
    const QString unicode = QString::fromUtf8("Date\tAmount\tText\n01/03/2024\t-5.00\tCafé Zoë\n");
    QByteArray littleEndian("\xff\xfe", 2);
    for (const QChar c : unicode)
        littleEndian.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
    addRow("UTF-16 with a byte-order mark", littleEndian,
           QStringLiteral("v2|1|\t|dd/MM/yyyy|.|0|1|-1|-1|-1|2|-1|||0"),
           QStringList{QString::fromUtf8("2024-03-01|-5||Café Zoë")});
}

void TestStatement::csvLayouts() {
    auto [data, text, expected] =
        fetch<QByteArray, QString, QStringList>("data", "mapping", "lines");
    const std::optional<CsvMapping> mapping = CsvMapping::fromText(text);
    QVERIFY(mapping);
    QCOMPARE(mapping->toText(), text);
    Statement s;
    try {
        s = CsvStatement::read(data, *mapping, kToday);
    } catch (const StatementError& error) {
        QFAIL(qPrintable(error.message()));
    }
    QStringList got;
    QSet<QString> ids;
    for (const StatementLine& line : s.lines) {
        got << QStringList{line.date.toString(Qt::ISODate), line.amount.toPlainString(),
                           line.reference, line.memo}
                   .join(QLatin1Char('|'));
        ids.insert(line.bankId);
    }
    QCOMPARE(got, expected);
    // Two equal lines on one day stay two lines.
    QCOMPARE(ids.size(), s.lines.size());
}

void TestStatement::malformed_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("named"); // what the message must name
    QByteArray badDate = kOfx1;
    badDate.replace("20240331<TRNAMT>", "2024-3-31<TRNAMT>");
    QTest::newRow("ofx date") << badDate << "ofx"
                              << "Line 7: <DTPOSTED>";
    QByteArray badAmount = kOfx1;
    badAmount.replace("-1,234.56", "12x");
    QTest::newRow("ofx amount") << badAmount << "ofx"
                                << "Line 6: <TRNAMT> \"12x\"";
    QByteArray open = kOfx1;
    open.replace("<NAME>Fee</STMTTRN>", "<NAME>Fee");
    QTest::newRow("ofx unclosed") << open << "ofx"
                                  << "Line 7";
    QByteArray indicator = kCamt;
    indicator.replace("<CdtDbtInd>CRDT</CdtDbtInd><BookgDt>", "<CdtDbtInd>X</CdtDbtInd><BookgDt>");
    QTest::newRow("camt indicator") << indicator << "camt"
                                    << "Line 5: <CdtDbtInd> \"X\"";
    QTest::newRow("camt not xml") << kCamt.left(300) << "camt"
                                  << "XML is not well formed";
    QTest::newRow("csv date") << QByteArray("h\n2024-13-01,5,x\n") << "csv"
                              << "Line 2, column 1";
    QTest::newRow("csv amount") << QByteArray("h\n01/02/2024,5..0,x\n") << "csv"
                                << "Line 2, column 2: \"5..0\"";
    // A mapping's text in the format column reads the CSV rows through it.
    const QString dc = QStringLiteral("v2|1|,|yyyy-MM-dd|.|0|1|-1|-1|-1|-1|2|D|C|0");
    QTest::newRow("csv indicator neither value")
        << QByteArray("h\n2024-03-01,5.00,D\n2024-03-02,5.00,X\n") << dc
        << "Line 3, column 3: " + Messages::statementCsvIndicator("X", "D", "C");
    QTest::newRow("csv indicator without values")
        << QByteArray("h\n2024-03-01,5.00,D\n") << QString(dc).replace("|D|C|", "|D||")
        << Messages::statementCsvIndicatorValues();
}

void TestStatement::malformed() {
    QFETCH(QByteArray, data);
    QFETCH(QString, format);
    QFETCH(QString, named);
    try {
        if (format == QLatin1String("ofx"))
            OfxReader::read(data);
        else if (format == QLatin1String("camt"))
            CamtReader::read(data);
        else
            CsvStatement::read(data, CsvMapping::fromText(format).value_or(CsvMapping{}), kToday);
        QFAIL("the file was read");
    } catch (const StatementError& error) {
        QVERIFY2(error.message().contains(named), qPrintable(error.message()));
    }
}

void TestStatement::matching_data() {
    // Book entries: "id date amount" ; lines: "ref date amount" ; expected per line:
    // "R:id" reference, "D:id" date, "A" ambiguous, "-" none.
    QTest::addColumn<QStringList>("book");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("reference beats a nearer date")
        << QStringList{"1001 2024-03-01 -50", "1002 2024-03-05 -50"}
        << QStringList{"001001 2024-03-05 -50"} << QStringList{"R:1001"};
    QTest::newRow("reference with another amount is no match")
        << QStringList{"1001 2024-03-01 -50"} << QStringList{"1001 2024-03-01 -51"}
        << QStringList{"-"};
    QTest::newRow("sign matters") << QStringList{"1 2024-03-01 50"}
                                  << QStringList{"- 2024-03-01 -50"} << QStringList{"-"};
    QTest::newRow("nearest date within ten days")
        << QStringList{"1 2024-03-01 20", "2 2024-03-09 20", "3 2024-02-01 20"}
        << QStringList{"- 2024-03-07 20"} << QStringList{"D:2"};
    QTest::newRow("ten days is near enough")
        << QStringList{"1 2024-03-01 20"} << QStringList{"- 2024-03-11 20"} << QStringList{"D:1"};
    QTest::newRow("eleven days is too far")
        << QStringList{"1 2024-03-01 20"} << QStringList{"- 2024-03-12 20"} << QStringList{"-"};
    QTest::newRow("two equally near: ambiguous")
        << QStringList{"1 2024-03-01 20", "2 2024-03-05 20"} << QStringList{"- 2024-03-03 20"}
        << QStringList{"A"};
    QTest::newRow("a tie's transactions are not handed to a farther line")
        << QStringList{"1 2024-03-01 20", "2 2024-03-05 20"}
        << QStringList{"- 2024-03-03 20", "- 2024-03-08 20"} << QStringList{"A", "-"};
    QTest::newRow("two lines equally near one: both ambiguous")
        << QStringList{"1 2024-03-03 20"} << QStringList{"- 2024-03-01 20", "- 2024-03-05 20"}
        << QStringList{"A", "A"};
    QTest::newRow("one to one") << QStringList{"1 2024-03-01 20", "2 2024-03-02 20"}
                                << QStringList{"- 2024-03-01 20", "- 2024-03-02 20",
                                               "- 2024-03-02 20"}
                                << QStringList{"D:1", "A", "A"};
    QTest::newRow("a transaction taken by date is not offered again")
        << QStringList{"1 2024-03-01 20"} << QStringList{"- 2024-03-01 20", "- 2024-03-04 20"}
        << QStringList{"D:1", "-"};
    QTest::newRow("a transaction taken by reference is not offered again")
        << QStringList{"7 2024-03-01 -9"} << QStringList{"- 2024-03-01 -9", "7 2024-03-20 -9"}
        << QStringList{"-", "R:7"};
}

void TestStatement::matching() {
    QFETCH(QStringList, book);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    QList<StatementMatcher::BookEntry> entries;
    for (const QString& row : book) {
        const QStringList f = row.split(QLatin1Char(' '));
        entries.append({f[0], QDate::fromString(f[1], Qt::ISODate), *Money::parse(f[2])});
    }
    QList<StatementLine> statement;
    for (const QString& row : lines) {
        const QStringList f = row.split(QLatin1Char(' '));
        StatementLine line;
        line.reference = f[0] == QLatin1String("-") ? QString() : f[0];
        line.date = QDate::fromString(f[1], Qt::ISODate);
        line.amount = *Money::parse(f[2]);
        statement.append(line);
    }
    const QList<StatementMatcher::Proposal> proposals = StatementMatcher::match(statement, entries);
    QStringList got;
    for (const StatementMatcher::Proposal& p : proposals) {
        const QString id = p.entry >= 0 ? entries.at(p.entry).transId : QString();
        got << (p.kind == Kind::Reference   ? QStringLiteral("R:") + id
                : p.kind == Kind::Date      ? QStringLiteral("D:") + id
                : p.kind == Kind::Ambiguous ? QStringLiteral("A")
                                            : QStringLiteral("-"));
    }
    QCOMPARE(got, expected);
}

void TestStatement::acceptAndReimport() {
    TestBook book;
    for (const auto& [id, status, amount] :
         {std::tuple{"1001", "1", -500000}, std::tuple{"1002", "2", -20000}})
        book.sql(
            QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, "
                           "TransStatus, DoubleEntryBank) VALUES (?, '2024-03-01', '1', ?, ?)"),
            {QString::fromLatin1(id), QString::fromLatin1(status), amount});
    StatementStore store(book.db);
    // Only outstanding rows are offered.
    const QList<StatementMatcher::BookEntry> offered = store.outstanding();
    QCOMPARE(offered.size(), 1);
    QCOMPARE(offered.front().bankAmount, m("-50"));

    const Statement s = OfxReader::read(kOfx1);
    const QList<StatementStore::Accepted> accepted = {{s.lines.at(0), QStringLiteral("1001")},
                                                      {s.lines.at(1), QString()}};
    const QString bank = QStringLiteral("1000");
    QCOMPARE(store.importedBefore(bank, s.lines), (QList<bool>{false, false}));
    QCOMPARE(store.accept(bank, accepted, QDate(2024, 4, 1)), 2);
    QCOMPARE(book.value("SELECT TransStatus FROM tblCashbook WHERE TransID = '1001'").toString(),
             QStringLiteral("2"));
    // The same file again: every line is known.
    QCOMPARE(store.importedBefore(bank, s.lines), (QList<bool>{true, true}));
    // A transaction no longer outstanding refuses the whole: no line is kept.
    const Statement other = CamtReader::read(kCamt);
    QVERIFY_THROWS_EXCEPTION(Failure, store.accept(bank,
                                                   {{other.lines.at(0), QString()},
                                                    {other.lines.at(1), QStringLiteral("1002")}},
                                                   QDate(2024, 4, 1)));
    QCOMPARE(book.value("SELECT COUNT(*) FROM tblStatementLines").toInt(), 2);

    CsvMapping mapping;
    mapping.headerLines = 3;
    store.saveCsvMapping(QStringLiteral("1000"), mapping);
    QCOMPARE(store.csvMapping(QStringLiteral("1000")), mapping);
    QVERIFY(!store.csvMapping(QStringLiteral("1010")));
}

QTEST_GUILESS_MAIN(TestStatement)
#include "tst_statement.moc"
