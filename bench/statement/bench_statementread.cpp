// Times reading a bank statement file of 100,000 lines, as OFX and as camt.053, and checks
// what was read: every line, with its amount, and the sum of the amounts. The memory the
// whole run took is reported with it. Targets: each file read in under 2 s; the run within
// 200 MB of resident memory.
// Usage: bench_statementread

#include "figures.h"
#include "statement/camtreader.h"
#include "statement/ofxreader.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

constexpr int kLines = 100000;
constexpr int kWidth = 44;

// The amount of line n, in cents: money out and in by turns, of every size up to 9,999.99.
qint64 cents(int n) {
    const qint64 value = (qint64(n) * 7919) % 999999 + 1;
    return n % 3 == 0 ? value : -value;
}

QByteArray amountText(int n) {
    const qint64 c = cents(n) < 0 ? -cents(n) : cents(n);
    return QByteArray::number(c / 100) + '.' + QByteArray::number(c % 100).rightJustified(2, '0');
}

QByteArray ofxFile() {
    QByteArray ofx = "OFXHEADER:100\r\nDATA:OFXSGML\r\n\r\n<OFX><BANKMSGSRSV1><STMTTRNRS>"
                     "<STMTRS><CURDEF>USD<BANKACCTFROM><ACCTID>1234567</BANKACCTFROM>"
                     "<BANKTRANLIST>\r\n";
    ofx.reserve(kLines * 120);
    for (int n = 0; n < kLines; ++n)
        ofx += "<STMTTRN><TRNTYPE>OTHER<DTPOSTED>2024" +
               QByteArray::number(101 + n % 12 * 100 + n % 28).rightJustified(4, '0') + "<TRNAMT>" +
               (cents(n) < 0 ? "-" : "") + amountText(n) + "<FITID>F" + QByteArray::number(n) +
               "<NAME>Party " + QByteArray::number(n % 977) + "<MEMO>Invoice " +
               QByteArray::number(n) + "</STMTTRN>\r\n";
    return ofx + "</BANKTRANLIST><LEDGERBAL><BALAMT>0.00<DTASOF>20241231</LEDGERBAL>"
                 "</STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\r\n";
}

QByteArray camtFile() {
    QByteArray camt = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document xmlns=\"urn:iso:"
                      "std:iso:20022:tech:xsd:camt.053.001.02\"><BkToCstmrStmt><Stmt><Acct><Id>"
                      "<IBAN>DE89370400440532013000</IBAN></Id></Acct>\n";
    camt.reserve(kLines * 400);
    for (int n = 0; n < kLines; ++n) {
        const QByteArray date = "2024-" + QByteArray::number(1 + n % 12).rightJustified(2, '0') +
                                '-' + QByteArray::number(1 + n % 28).rightJustified(2, '0');
        camt += "<Ntry><Amt Ccy=\"EUR\">" + amountText(n) + "</Amt><CdtDbtInd>" +
                (cents(n) < 0 ? "DBIT" : "CRDT") + "</CdtDbtInd><Sts>BOOK</Sts><BookgDt><Dt>" +
                date + "</Dt></BookgDt><AcctSvcrRef>R" + QByteArray::number(n) +
                "</AcctSvcrRef><NtryDtls><TxDtls><RltdPties><Dbtr><Nm>Party " +
                QByteArray::number(n % 977) + "</Nm></Dbtr><Cdtr><Nm>Party " +
                QByteArray::number(n % 977) + "</Nm></Cdtr></RltdPties><RmtInf><Ustrd>Invoice " +
                QByteArray::number(n) + "</Ustrd></RmtInf></TxDtls></NtryDtls></Ntry>\n";
    }
    return camt + "</Stmt></BkToCstmrStmt></Document>\n";
}

// Whether the statements read are the file's lines, one each, with their amounts.
bool readRight(const QList<Statement>& statements) {
    if (statements.size() != 1 || statements.front().lines.size() != kLines)
        return false;
    qint64 sum = 0;
    qint64 expected = 0;
    for (int n = 0; n < kLines; ++n) {
        const StatementLine& line = statements.front().lines.at(n);
        if (line.amount.units() != cents(n) * 100 || !line.date.isValid() || line.bankId.isEmpty())
            return false;
        sum += line.amount.units();
        expected += cents(n) * 100;
    }
    return sum == expected;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    printLoad("before");
    for (const bool ofx : {true, false}) {
        Figures reading;
        for (int run = 0; run < 3; ++run) {
            const QByteArray file = ofx ? ofxFile() : camtFile();
            QList<Statement> statements;
            reading.add(timed([&] {
                try {
                    statements = ofx ? OfxReader::read(file) : CamtReader::read(file);
                } catch (const StatementError& error) {
                    std::printf("  refused: %s\n", error.what());
                }
            }));
            reading.check(readRight(statements), "the lines read are not the file's");
            if (run == 0)
                std::printf("  %-*s %8.1f MB\n", kWidth, ofx ? "OFX file" : "camt.053 file",
                            double(file.size()) / (1024 * 1024));
        }
        reading.report(ofx ? "read 100,000 lines of OFX" : "read 100,000 lines of camt.053", 2000,
                       kWidth);
    }
    const double peak = peakResidentMb();
    std::printf("  %-*s peak %8.1f MB (target 200)\n", kWidth, "resident memory", peak);
    withinTarget(peak <= 200);
    printLoad("after");
    return benchStatus();
}
