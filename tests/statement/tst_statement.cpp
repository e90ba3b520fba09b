#include "data/cashbooktotals.h"
#include "data/messages.h"
#include "statement/camtreader.h"
#include "statement/csvstatement.h"
#include "statement/ofxreader.h"
#include "statement/statementmatcher.h"
#include "statement/statementstore.h"
#include "support/datarows.h"
#include "support/testbook.h"

#include <QStringEncoder>
#include <QTest>

#include <ctime>

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

// Statement files of one kind, written as small as the formats allow.
QByteArray ofx(const QByteArray& body) {
    return "OFXHEADER:100\r\nDATA:OFXSGML\r\nCHARSET:1252\r\n\r\n<OFX>" + body + "</OFX>\r\n";
}

QByteArray camt(const char* message, const char* root, const QByteArray& body) {
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:") +
           message + "\">\n<" + root + ">\n" + body + "</" + root + "></Document>\n";
}

// A camt statement (or report, or notification) of one account in euros.
QByteArray account(const char* element, const char* id, const QByteArray& body) {
    const QByteArray number = QByteArray(id).startsWith("DE")
                                  ? QByteArray("<IBAN>") + id + "</IBAN>"
                                  : QByteArray("<Othr><Id>") + id + "</Id></Othr>";
    return QByteArray("<") + element + "><Id>S</Id><Acct><Id>" + number +
           "</Id><Ccy>EUR</Ccy></Acct>\n" + body + "</" + element + ">\n";
}

QByteArray closing(const char* amount, const char* date) {
    return QByteArray("<Bal><Tp><CdOrPrtry><Cd>CLBD</Cd></CdOrPrtry></Tp><Amt Ccy=\"EUR\">") +
           amount + "</Amt><CdtDbtInd>CRDT</CdtDbtInd><Dt><Dt>" + date + "</Dt></Dt></Bal>\n";
}

// A booked entry; `details` goes inside its NtryDtls.
QByteArray entry(const char* amount, const char* indicator, const char* date,
                 const QByteArray& details = {}, const QByteArray& more = {}) {
    return QByteArray("<Ntry><Amt Ccy=\"EUR\">") + amount + "</Amt><CdtDbtInd>" + indicator +
           "</CdtDbtInd><Sts>BOOK</Sts><BookgDt><Dt>" + date + "</Dt></BookgDt>" + more +
           (details.isEmpty() ? QByteArray() : "<NtryDtls>" + details + "</NtryDtls>") +
           "</Ntry>\n";
}

QByteArray utf16(const QByteArray& utf8) {
    QStringEncoder encoder(QStringEncoder::Utf16LE);
    return "\xff\xfe" + QByteArray(encoder(QString::fromUtf8(utf8)));
}

// Each statement as "[account currency closing date pending n]", then each of its lines as
// "date|amount|identifier|reference|name|memo" (a hashed identifier shows as "#").
QStringList described(const QList<Statement>& statements) {
    QStringList out;
    for (const Statement& s : statements) {
        out << QStringLiteral("[%1 %2 %3 %4 pending %5]")
                   .arg(s.accountId, s.currency,
                        s.closingBalance ? s.closingBalance->toPlainString() : QStringLiteral("-"),
                        s.closingDate.isValid() ? s.closingDate.toString(Qt::ISODate)
                                                : QStringLiteral("-"))
                   .arg(s.pendingLeftOut);
        for (const StatementLine& l : s.lines)
            out << QStringList{l.date.toString(Qt::ISODate),
                               l.amount.toPlainString(),
                               l.bankId.startsWith(QLatin1Char('#')) ? QStringLiteral("#")
                                                                     : l.bankId,
                               l.reference,
                               l.name,
                               l.memo}
                       .join(QLatin1Char('|'));
    }
    return out;
}

} // namespace

class TestStatement : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void amounts_data();
    void amounts();
    void csvLayouts_data();
    void csvLayouts();
    void files_data();
    void files();
    void malformed_data();
    void malformed();
    void matching_data();
    void matching();
    void acceptAndReimport_data();
    void acceptAndReimport();
};

void TestStatement::initTestCase() {
    // A zone an hour east of UTC, so a booking time late in a UTC day is the next day here.
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

void TestStatement::amounts_data() {
    columns<QString, QString, QString>("text", "separator", "expected"); // expected empty: refused
    addRow("plain", "12.34", ".", "12.34");
    addRow("thousands", "-1,234.5", ".", "-1234.5");
    addRow("decimal comma", "1.234,56", ",", "1234.56");
    addRow("trailing minus", "7,25-", ",", "-7.25");
    addRow("ten-thousandths kept", "0.0001", ".", "0.0001");
    addRow("comma is no decimal point", "1,5", ".", "");
    addRow("bad group", "12,34.00", ".", "");
    addRow("four digits before a group", "1234,567.00", ".", "");
    addRow("two signs", "-5-", ".", "");
    addRow("text", "abc", ".", "");
}

void TestStatement::amounts() {
    const auto [text, separator, expected] =
        fetch<QString, QString, QString>("text", "separator", "expected");
    const std::optional<Money> value = StatementText::amount(text, separator.front());
    QCOMPARE(value.has_value(), !expected.isEmpty());
    if (value)
        QCOMPARE(*value, *Money::parse(expected));
}

void TestStatement::files_data() {
    columns<QString, QByteArray, QStringList>("format", "data", "expected");
    // Every field of a line; a line without FITID is known by a hash of its contents.
    const QStringList ofxLines{"[  1000.05 2024-03-31 pending 0]",
                               "2024-03-05|-1234.56|A1|001002|Smith & Co|Cheque",
                               "2024-03-31|-7.5|#||Fee|"};
    addRow("ofx 1.x fields", "ofx", kOfx1, ofxLines);
    // The same statement as OFX 2.x (XML, end tags on every element).
    QByteArray xml = kOfx1;
    xml.replace("OFXHEADER:100\r\nDATA:OFXSGML\r\nCHARSET:1252\r\n\r\n",
                "<?xml version=\"1.0\"?><?OFX OFXHEADER=\"200\"?>");
    for (const char* leaf : {"TRNTYPE", "DTPOSTED", "TRNAMT", "FITID", "CHECKNUM", "NAME", "MEMO",
                             "BALAMT", "DTASOF"}) {
        const QByteArray tag = QByteArray("<") + leaf + ">";
        for (qsizetype at = 0; (at = xml.indexOf(tag, at)) >= 0;) {
            at = xml.indexOf('<', at + tag.size());
            xml.insert(at, QByteArray("</") + leaf + ">");
        }
    }
    addRow("ofx 2.x fields", "ofx", xml, ofxLines);
    // The closing booked balance, not the opening one; a debit balance is negative.
    addRow("camt fields", "camt", kCamt,
           QStringList{"[ EUR -12.3 2024-03-31 pending 0]",
                       "2024-03-04|250.1|REF-9|500001|Jones|Invoice 7", "2024-03-30|-0.5|#|||"});
    const QByteArray ok = "<STATUS><CODE>0<SEVERITY>INFO</STATUS>";
    addRow("ofx several accounts", "ofx",
           ofx("<SIGNONMSGSRSV1><SONRS>" + ok +
               "<LANGUAGE>ENG</SONRS></SIGNONMSGSRSV1>\r\n<BANKMSGSRSV1><STMTTRNRS>" + ok +
               "<STMTRS><CURDEF>USD<BANKACCTFROM><BANKID>121000248<ACCTID>111-222"
               "<ACCTTYPE>CHECKING</BANKACCTFROM>\r\n<BANKTRANLIST><STMTTRN><TRNTYPE>XFER"
               "<DTPOSTED>20240305<TRNAMT>-10.00<FITID>1<NAME>Transfer<BANKACCTTO><BANKID>1"
               "<ACCTID>999<ACCTTYPE>SAVINGS</BANKACCTTO></STMTTRN></BANKTRANLIST>\r\n"
               "<LEDGERBAL><BALAMT>90.00<DTASOF>20240331</LEDGERBAL></STMTRS></STMTTRNRS>"
               "</BANKMSGSRSV1>\r\n<CREDITCARDMSGSRSV1><CCSTMTTRNRS>" +
               ok +
               "<CCSTMTRS><CURDEF>USD<CCACCTFROM><ACCTID>XXXXXXXXXXXX4321</CCACCTFROM>\r\n"
               "<BANKTRANLIST><STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20240306<TRNAMT>-5.25<FITID>1"
               "<NAME>Cafe</STMTTRN></BANKTRANLIST><LEDGERBAL><BALAMT>-5.25<DTASOF>20240330"
               "</LEDGERBAL></CCSTMTRS></CCSTMTTRNRS></CREDITCARDMSGSRSV1>"),
           QStringList{"[111-222 USD 90 2024-03-31 pending 0]", "2024-03-05|-10|1||Transfer|",
                       "[XXXXXXXXXXXX4321 USD -5.25 2024-03-30 pending 0]",
                       "2024-03-06|-5.25|1||Cafe|"});
    addRow("ofx text in CDATA", "ofx",
           ofx("<STMTTRN><DTPOSTED>20240305</DTPOSTED><TRNAMT>-3</TRNAMT><FITID>7</FITID>"
               "<NAME><![CDATA[Smith & <Sons>]]></NAME><MEMO>Ref <![CDATA[A&B]]></MEMO>"
               "</STMTTRN>"),
           QStringList{"[  - - pending 0]", "2024-03-05|-3|7||Smith & <Sons>|Ref A&B"});
    addRow("ofx empty elements", "ofx",
           ofx("<STMTTRN><DTPOSTED>20240305</DTPOSTED><TRNAMT>-3</TRNAMT><FITID>7</FITID>"
               "<NAME/><MEMO></MEMO></STMTTRN><LEDGERBAL><BALAMT></BALAMT><DTASOF/>"
               "</LEDGERBAL>\r\n<AVAILBAL><BALAMT><DTASOF></AVAILBAL>"),
           QStringList{"[  - - pending 0]", "2024-03-05|-3|7|||"});
    addRow("ofx full stops for thousands, a comma for decimals", "ofx",
           ofx("<STMTTRN><DTPOSTED>20240305<TRNAMT>-1.006,60<FITID>7</STMTTRN>"),
           QStringList{"[  - - pending 0]", "2024-03-05|-1006.6|7|||"});
    addRow("ofx utf-16", "ofx",
           utf16(ofx("<STMTTRN><DTPOSTED>20240305<TRNAMT>4.5<FITID>7<NAME>Caf\xc3\xa9 "
                     "M\xc3\xbcller</STMTTRN>")),
           QStringList{"[  - - pending 0]", "2024-03-05|4.5|7||Caf\u00e9 M\u00fcller|"});
    addRow("ofx a name longer than the book keeps", "ofx",
           ofx("<STMTTRN><DTPOSTED>20240305<TRNAMT>1<FITID>7<NAME>" + QByteArray(300, 'n') +
               "</STMTTRN>"),
           QStringList{"[  - - pending 0]",
                       "2024-03-05|1|7||" + QString(StatementLine::kMaxNameLength, 'n') + "|"});

    addRow("camt several accounts", "camt",
           camt("camt.053.001.02", "BkToCstmrStmt",
                account("Stmt", "DE89370400440532013000",
                        closing("100.00", "2024-03-04") + entry("100.00", "CRDT", "2024-03-04")) +
                    account("Stmt", "12345",
                            closing("7.00", "2024-03-04") + entry("7.00", "CRDT", "2024-03-04"))),
           QStringList{"[DE89370400440532013000 EUR 100 2024-03-04 pending 0]",
                       "2024-03-04|100|#|||", "[12345 EUR 7 2024-03-04 pending 0]",
                       "2024-03-04|7|#|||"});
    const QByteArray us = "<Dbtr><Nm>Our Firm</Nm></Dbtr>";
    addRow("camt the other party by direction", "camt",
           camt("camt.053.001.02", "BkToCstmrStmt",
                account("Stmt", "12345",
                        entry("5.00", "CRDT", "2024-03-04",
                              "<TxDtls><RltdPties><Dbtr><Nm>Jones</Nm></Dbtr><Cdtr><Nm>Our "
                              "Firm</Nm></Cdtr></RltdPties></TxDtls>") +
                            entry("6.00", "DBIT", "2024-03-04",
                                  "<TxDtls><RltdPties>" + us +
                                      "<Cdtr><Nm>Power Co</Nm></Cdtr></RltdPties></TxDtls>") +
                            entry("7.00", "CRDT", "2024-03-04",
                                  "<TxDtls><RltdPties><UltmtDbtr><Nm>Parent Ltd</Nm></UltmtDbtr>"
                                  "<Cdtr><Pty><Nm>Our Firm</Nm></Pty></Cdtr></RltdPties>"
                                  "</TxDtls>"))),
           QStringList{"[12345 EUR - - pending 0]", "2024-03-04|5|#||Jones|",
                       "2024-03-04|-6|#||Power Co|", "2024-03-04|7|#||Parent Ltd|"});
    addRow("camt repeated remittance lines", "camt",
           camt("camt.053.001.02", "BkToCstmrStmt",
                account("Stmt", "12345",
                        entry("5.00", "CRDT", "2024-03-04",
                              "<TxDtls><RmtInf><Ustrd>Invoice 1</Ustrd><Ustrd>Invoice 2</Ustrd>"
                              "</RmtInf></TxDtls>"))),
           QStringList{"[12345 EUR - - pending 0]", "2024-03-04|5|#|||Invoice 1 Invoice 2"});
    addRow("camt batch entry", "camt",
           camt("camt.053.001.02", "BkToCstmrStmt",
                account("Stmt", "12345",
                        entry("30.00", "CRDT", "2024-03-04",
                              "<Btch><NbOfTxs>2</NbOfTxs></Btch><TxDtls><Refs><EndToEndId>E1"
                              "</EndToEndId></Refs><AmtDtls><TxAmt><Amt Ccy=\"EUR\">10.00</Amt>"
                              "</TxAmt></AmtDtls><RltdPties><Dbtr><Nm>A</Nm></Dbtr></RltdPties>"
                              "<RmtInf><Ustrd>Inv 1</Ustrd></RmtInf></TxDtls><TxDtls><Refs>"
                              "<EndToEndId>E2</EndToEndId></Refs><AmtDtls><TxAmt><Amt "
                              "Ccy=\"EUR\">20.00</Amt></TxAmt></AmtDtls><RltdPties><Dbtr><Nm>B"
                              "</Nm></Dbtr></RltdPties><RmtInf><Ustrd>Inv 2</Ustrd></RmtInf>"
                              "</TxDtls>",
                              "<AcctSvcrRef>B1</AcctSvcrRef>") +
                            entry("3.00", "DBIT", "2024-03-05",
                                  "<TxDtls><RmtInf><Ustrd>a</Ustrd></RmtInf></TxDtls>"
                                  "<TxDtls><RmtInf><Ustrd>b</Ustrd></RmtInf></TxDtls>"))),
           QStringList{"[12345 EUR - - pending 0]", "2024-03-04|10|B1/1|E1|A|Inv 1",
                       "2024-03-04|20|B1/2|E2|B|Inv 2", "2024-03-05|-3|#|||a"});
    QByteArray zoned = entry("5.00", "CRDT", "X");
    zoned.replace("<Dt>X</Dt>", "<DtTm>2014-01-04T23:00:00Z</DtTm>");
    addRow("camt booking time in UTC", "camt",
           camt("camt.053.001.02", "BkToCstmrStmt", account("Stmt", "12345", zoned)),
           QStringList{"[12345 EUR - - pending 0]", "2014-01-05|5|#|||"});
    QByteArray pending = entry("5.00", "CRDT", "2024-03-04");
    pending.replace("<Sts>BOOK</Sts><BookgDt><Dt>2024-03-04</Dt></BookgDt>", "<Sts>PDNG</Sts>");
    QByteArray pending8 = entry("6.00", "CRDT", "2024-03-04");
    pending8.replace("<Sts>BOOK</Sts>", "<Sts><Cd>PDNG</Cd></Sts>");
    addRow("camt pending entries left out", "camt",
           camt("camt.053.001.08", "BkToCstmrStmt",
                account("Stmt", "12345", pending + pending8 + entry("7.00", "CRDT", "2024-03-04"))),
           QStringList{"[12345 EUR - - pending 2]", "2024-03-04|7|#|||"});
    addRow(
        "camt structured reference", "camt",
        camt("camt.053.001.02", "BkToCstmrStmt",
             account("Stmt", "12345",
                     entry("5.00", "CRDT", "2024-03-04",
                           "<TxDtls><Refs><EndToEndId>NOTPROVIDED</EndToEndId></Refs><RmtInf>"
                           "<Ustrd>NOTPROVIDED</Ustrd><Strd><CdtrRefInf><Ref>RF18539007547034"
                           "</Ref></CdtrRefInf></Strd></RmtInf></TxDtls>",
                           "<AddtlNtryInf>SEPA credit</AddtlNtryInf>"))),
        QStringList{"[12345 EUR - - pending 0]", "2024-03-04|5|#|RF18539007547034||SEPA credit"});
    addRow("camt.052 account report", "camt",
           camt("camt.052.001.02", "BkToCstmrAcctRpt",
                account("Rpt", "12345", entry("5.00", "DBIT", "2024-03-04"))),
           QStringList{"[12345 EUR - - pending 0]", "2024-03-04|-5|#|||"});
    addRow("camt.054 notification", "camt",
           camt("camt.054.001.02", "BkToCstmrDbtCdtNtfctn",
                account("Ntfctn", "12345", entry("5.00", "CRDT", "2024-03-04"))),
           QStringList{"[12345 EUR - - pending 0]", "2024-03-04|5|#|||"});
    addRow("camt utf-16", "camt",
           utf16(camt("camt.053.001.04", "BkToCstmrStmt",
                      account("Stmt", "12345",
                              entry("5.00", "CRDT", "2024-03-04",
                                    "<TxDtls><RmtInf><Ustrd>Caf\xc3\xa9</Ustrd></RmtInf>"
                                    "</TxDtls>")))),
           QStringList{"[12345 EUR - - pending 0]", "2024-03-04|5|#|||Caf\u00e9"});
    QByteArray western = camt("camt.053.001.02", "BkToCstmrStmt",
                              account("Stmt", "12345",
                                      entry("5.00", "CRDT", "2024-03-04",
                                            "<TxDtls><RltdPties><Dbtr><Nm>M\xfcller \x80</Nm>"
                                            "</Dbtr></RltdPties></TxDtls>")));
    western.replace(" encoding=\"UTF-8\"", "");
    addRow("camt Windows-1252 without a declared encoding", "camt", western,
           QStringList{"[12345 EUR - - pending 0]", "2024-03-04|5|#||M\u00fcller \u20ac|"});
}

void TestStatement::files() {
    const auto [format, data, expected] =
        fetch<QString, QByteArray, QStringList>("format", "data", "expected");
    // The import tells the formats apart as these do; OFX is asked first.
    const bool isOfx = OfxReader::looksLike(data);
    QCOMPARE(isOfx, format == QLatin1String("ofx"));
    QCOMPARE(CamtReader::looksLike(data) && !isOfx, format == QLatin1String("camt"));
    const QStringList got = described(isOfx ? OfxReader::read(data) : CamtReader::read(data));
    QCOMPARE(got, expected);
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
    columns<QByteArray, QString, QString>("data", "format", "named"); // what the message names
    QByteArray badDate = kOfx1;
    badDate.replace("20240331<TRNAMT>", "2024-3-31<TRNAMT>");
    addRow("ofx date", badDate, "ofx", "Line 7: <DTPOSTED>");
    QByteArray badAmount = kOfx1;
    badAmount.replace("-1,234.56", "12x");
    addRow("ofx amount", badAmount, "ofx", "Line 6: <TRNAMT> \"12x\"");
    QByteArray open = kOfx1;
    open.replace("<NAME>Fee</STMTTRN>", "<NAME>Fee");
    addRow("ofx unclosed", open, "ofx", "Line 7");
    QByteArray indicator = kCamt;
    indicator.replace("<CdtDbtInd>CRDT</CdtDbtInd><BookgDt>", "<CdtDbtInd>X</CdtDbtInd><BookgDt>");
    addRow("camt indicator", indicator, "camt", "Line 5: <CdtDbtInd> \"X\"");
    addRow("camt not xml", kCamt.left(300), "camt", "XML is not well formed");
    addRow("ofx the bank's error",
           ofx("<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>2000<SEVERITY>ERROR"
               "<MESSAGE>General error</STATUS></STMTTRNRS></BANKMSGSRSV1>"),
           "ofx", "error 2000 \"General error\"");
    addRow("ofx sign-on refused",
           ofx("<SIGNONMSGSRSV1><SONRS><STATUS><CODE>15500</CODE><SEVERITY>ERROR</SEVERITY>"
               "</STATUS></SONRS></SIGNONMSGSRSV1>"),
           "ofx", "error 15500");
    addRow("ofx a list of accounts",
           ofx("<SIGNUPMSGSRSV1><ACCTINFOTRNRS><ACCTINFORS><ACCTINFO><BANKACCTINFO>"
               "<BANKACCTFROM><ACCTID>1</BANKACCTFROM></BANKACCTINFO></ACCTINFO></ACCTINFORS>"
               "</ACCTINFOTRNRS></SIGNUPMSGSRSV1>"),
           "ofx", "holds no bank or credit card statement");
    addRow("ofx investment statement",
           ofx("<INVSTMTMSGSRSV1><INVSTMTTRNRS><INVSTMTRS><INVTRANLIST></INVTRANLIST>"
               "</INVSTMTRS></INVSTMTTRNRS></INVSTMTMSGSRSV1>"),
           "ofx", "investment statement");
    addRow("xml of another kind",
           QByteArray("<?xml version=\"1.0\"?><Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:"
                      "pain.001.001.03\"><CstmrCdtTrfInitn/></Document>"),
           "camt", "pain.001.001.03");
    addRow("larger than a statement", ofx(QByteArray(StatementText::kMaxFileBytes, ' ')), "ofx",
           "larger than 50 MB");
    addRow("csv date", QByteArray("h\n2024-13-01,5,x\n"), "csv", "Line 2, column 1");
    addRow("csv amount", QByteArray("h\n01/02/2024,5..0,x\n"), "csv", "Line 2, column 2: \"5..0\"");
    // A mapping's text in the format column reads the CSV rows through it.
    const QString dc = QStringLiteral("v2|1|,|yyyy-MM-dd|.|0|1|-1|-1|-1|-1|2|D|C|0");
    addRow("csv indicator neither value", QByteArray("h\n2024-03-01,5.00,D\n2024-03-02,5.00,X\n"),
           dc, "Line 3, column 3: " + Messages::statementCsvIndicator("X", "D", "C"));
    addRow("csv indicator without values", QByteArray("h\n2024-03-01,5.00,D\n"),
           QString(dc).replace("|D|C|", "|D||"), Messages::statementCsvIndicatorValues());
}

void TestStatement::malformed() {
    const auto [data, format, named] =
        fetch<QByteArray, QString, QString>("data", "format", "named");
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
    columns<QStringList, QStringList, QStringList>("book", "lines", "expected");
    using L = QStringList;
    addRow("reference beats a nearer date", L{"1001 2024-03-01 -50", "1002 2024-03-05 -50"},
           L{"001001 2024-03-05 -50"}, L{"R:1001"});
    addRow("reference with another amount is no match", L{"1001 2024-03-01 -50"},
           L{"1001 2024-03-01 -51"}, L{"-"});
    addRow("sign matters", L{"1 2024-03-01 50"}, L{"- 2024-03-01 -50"}, L{"-"});
    addRow("nearest date within ten days",
           L{"1 2024-03-01 20", "2 2024-03-09 20", "3 2024-02-01 20"}, L{"- 2024-03-07 20"},
           L{"D:2"});
    addRow("ten days is near enough", L{"1 2024-03-01 20"}, L{"- 2024-03-11 20"}, L{"D:1"});
    addRow("eleven days is too far", L{"1 2024-03-01 20"}, L{"- 2024-03-12 20"}, L{"-"});
    addRow("two equally near: ambiguous", L{"1 2024-03-01 20", "2 2024-03-05 20"},
           L{"- 2024-03-03 20"}, L{"A"});
    addRow("a tie's transactions are not handed to a farther line",
           L{"1 2024-03-01 20", "2 2024-03-05 20"}, L{"- 2024-03-03 20", "- 2024-03-08 20"},
           L{"A", "-"});
    addRow("two lines equally near one: both ambiguous", L{"1 2024-03-03 20"},
           L{"- 2024-03-01 20", "- 2024-03-05 20"}, L{"A", "A"});
    addRow("one to one", L{"1 2024-03-01 20", "2 2024-03-02 20"},
           L{"- 2024-03-01 20", "- 2024-03-02 20", "- 2024-03-02 20"}, L{"D:1", "A", "A"});
    addRow("a transaction taken by date is not offered again", L{"1 2024-03-01 20"},
           L{"- 2024-03-01 20", "- 2024-03-04 20"}, L{"D:1", "-"});
    addRow("a transaction taken by reference is not offered again", L{"7 2024-03-01 -9"},
           L{"- 2024-03-01 -9", "7 2024-03-20 -9"}, L{"-", "R:7"});
}

void TestStatement::matching() {
    const auto [book, lines, expected] =
        fetch<QStringList, QStringList, QStringList>("book", "lines", "expected");
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

// A refused acceptance: the transactions chosen for the two lines of another statement, and
// the ones the refusal names.
void TestStatement::acceptAndReimport_data() {
    columns<QStringList, QString>("chosen", "named");
    addRow("no longer outstanding", QStringList{"", "1002"}, QString("1002"));
    addRow("beside an outstanding one", QStringList{"1003", "1002"}, QString("1002"));
    addRow("one transaction for two lines", QStringList{"1003", "1003"}, QString("1003"));
}

void TestStatement::acceptAndReimport() {
    const auto [chosen, named] = fetch<QStringList, QString>("chosen", "named");
    TestBook book;
    for (const auto& [id, status, amount] :
         {std::tuple{"1001", "1", -500000}, std::tuple{"1002", "2", -20000},
          std::tuple{"1003", "1", 70000}})
        book.sql(
            QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, "
                           "TransStatus, DoubleEntryBank) VALUES (?, '2024-03-01', '1', ?, ?)"),
            {QString::fromLatin1(id), QString::fromLatin1(status), amount});
    StatementStore store(book.db);
    // Only outstanding rows are offered.
    const QList<StatementMatcher::BookEntry> offered = store.outstanding();
    QCOMPARE(offered.size(), 2);
    QCOMPARE(offered.front().bankAmount, m("-50"));

    const Statement s = OfxReader::read(kOfx1).front();
    const QList<StatementStore::Accepted> accepted = {{s.lines.at(0), QStringLiteral("1001")},
                                                      {s.lines.at(1), QString()}};
    const QString bank = QStringLiteral("1000");
    QCOMPARE(store.importedBefore(bank, s.lines), (QList<bool>{false, false}));
    QCOMPARE(store.accept(bank, accepted, QDate(2024, 4, 1)), 2);
    QCOMPARE(book.value("SELECT TransStatus FROM tblCashbook WHERE TransID = '1001'").toString(),
             QStringLiteral("2"));
    // The same file again: every line is known.
    QCOMPARE(store.importedBefore(bank, s.lines), (QList<bool>{true, true}));
    // A transaction no longer outstanding (or taken by another line) refuses the whole: no
    // line is kept, no transaction reconciled, and the refusal names only that transaction.
    const Statement other = CamtReader::read(kCamt).front();
    QString refusal;
    try {
        store.accept(bank, {{other.lines.at(0), chosen.at(0)}, {other.lines.at(1), chosen.at(1)}},
                     QDate(2024, 4, 1));
    } catch (const Failure& failure) {
        refusal = failure.description();
    }
    QCOMPARE(refusal, QStringLiteral("No longer outstanding: transaction %1.").arg(named));
    QCOMPARE(book.value("SELECT COUNT(*) FROM tblStatementLines").toInt(), 2);
    QCOMPARE(book.value("SELECT TransStatus FROM tblCashbook WHERE TransID = '1003'").toString(),
             QStringLiteral("1"));
    QCOMPARE(book.value(CashbookTotals::agreementQuery(book.db.dialect())).toInt(), 1);

    CsvMapping mapping;
    mapping.headerLines = 3;
    store.saveCsvMapping(QStringLiteral("1000"), mapping);
    QCOMPARE(store.csvMapping(QStringLiteral("1000")), mapping);
    QVERIFY(!store.csvMapping(QStringLiteral("1010")));
    // A mapping saved again replaces the account's one row, under the account as last typed.
    store.saveCsvMapping(QStringLiteral("acc-9"), mapping);
    mapping.headerLines = 1;
    store.saveCsvMapping(QStringLiteral("ACC-9"), mapping);
    QCOMPARE(store.csvMapping(QStringLiteral("acc-9")), mapping);
    QCOMPARE(book.value("SELECT group_concat(BankAccount) FROM tblStatementCsvMapping "
                        "WHERE BankAccount <> '1000'")
                 .toString(),
             QStringLiteral("ACC-9"));
}

QTEST_GUILESS_MAIN(TestStatement)
#include "tst_statement.moc"
