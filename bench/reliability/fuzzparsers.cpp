// Feeds random and mutated outside input to every parser of it and checks what must hold:
//
//   quillan_fuzzparsers <inputs> [seed]
//
// Master file text: the file read a line at a time (MasterFileReader) gives the lines the
// whole-file decoding gives, and a line cut into values gives exactly the number asked for
// or nothing. Money text: an amount read from text reads back the same from its plain
// text, and the cent figure it shows reads back as its rounding. Bank statements (OFX,
// camt.053, CSV): a file is read or refused with a StatementError, never anything else; a
// line read has a date and an identifier, and a statement amount reads back from its plain
// text; files hostile in size (deep nesting, fields of megabytes, many lines) are read with
// their texts cut to what the book keeps. Crashes and undefined
// behaviour are caught by the sanitizers (build with -DQUILLAN_SANITIZE=ON). Prints the
// inputs tried and the failures; exits non-zero when there was any.
#include "data/failure.h"
#include "data/masterfiletext.h"
#include "data/money.h"
#include "masterfiles/masterfilereader.h"
#include "statement/camtreader.h"
#include "statement/csvstatement.h"
#include "statement/ofxreader.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QList<QByteArray>& seeds() {
    static const QList<QByteArray> all = {
        "\"V1\",\"Acme, Ltd\",\"1 Road\",\"\",\"\",\"\",\"0001\"\r\n",
        "\"1000\",\"\",\"Bank\",\"1\"\n\"2000\",\"01\",\"Sales \"\"A\"\"\",\"0\"\r",
        "\xef\xbb\xbf\"C\xc3\xa9\",\"M\xfc\",\"\x80\x93\",\"\xe2\x82\xac\"\r\n\r\n",
        "$1,234.50",
        "(12.00)",
        "-$5",
        "$(5.00)",
        "999999999999.99",
        "-0.00005",
        "1e5",
        "12,34,5.6789",
        "\"a,b\",c\r\"\",\",\"\"\n",
        "OFXHEADER:100\n<OFX><STMTTRN><DTPOSTED>20240305<TRNAMT>-1,234.56<FITID>A1<CHECKNUM>7"
        "<NAME>S &amp; Co</STMTTRN><LEDGERBAL><BALAMT>10,5<DTASOF>20240331</LEDGERBAL></OFX>",
        "<Document><BkToCstmrStmt><Stmt><Bal><Tp><CdOrPrtry><Cd>CLBD</Cd></CdOrPrtry></Tp>"
        "<Amt>1.00</Amt><CdtDbtInd>DBIT</CdtDbtInd><Dt><Dt>2024-03-31</Dt></Dt></Bal><Ntry>"
        "<Amt>250.10</Amt><CdtDbtInd>CRDT</CdtDbtInd><BookgDt><Dt>2024-03-04</Dt></BookgDt>"
        "</Ntry></Stmt></BkToCstmrStmt></Document>",
        "Date,Amount,Text\n01/02/2024,-1 234.5,\"a \"\"b\"\"\"\n02/02/2024,7-,x\n",
    };
    return all;
}

QByteArray mutate(QByteArray bytes, QRandomGenerator& random) {
    static const char pieces[][5] = {"\"", ",", "\r", "\n", "\r\n", "\xc3", "\xa9", "\xef\xbb\xbf",
                                     "$",  "(", ")",  "-",  ".",    "9",    " ",    "\x80",
                                     "\0"};
    const int edits = random.bounded(1, 8);
    for (int e = 0; e < edits; ++e) {
        const qsizetype at = bytes.isEmpty() ? 0 : random.bounded(int(bytes.size()) + 1);
        switch (random.bounded(4)) {
        case 0:
            bytes.insert(at, pieces[random.bounded(int(std::size(pieces)))]);
            break;
        case 1:
            if (at < bytes.size())
                bytes.remove(at, random.bounded(1, 4));
            break;
        case 2:
            if (at < bytes.size())
                bytes[at] = char(random.bounded(256));
            break;
        default:
            bytes.insert(at, bytes.mid(random.bounded(int(bytes.size()) + 1), 16));
        }
    }
    return bytes;
}

QByteArray input(QRandomGenerator& random) {
    if (random.bounded(8) == 0) {
        QByteArray bytes(random.bounded(64), Qt::Uninitialized);
        for (char& c : bytes)
            c = char(random.bounded(256));
        return bytes;
    }
    return mutate(seeds().at(random.bounded(int(seeds().size()))), random);
}

class Fuzzer {
public:
    explicit Fuzzer(const QString& folder) : m_file(folder + QStringLiteral("/input.txt")) {}

    void masterFile(const QByteArray& bytes, bool throughFile) {
        const QStringList lines = MasterFileText::splitLines(MasterFileText::decode(bytes));
        for (const QString& line : lines)
            for (int count = 1; count <= 8; ++count) {
                const std::optional<QStringList> values = MasterFileText::splitLine(line, count);
                if (values && values->size() != count)
                    fail("splitLine gave the wrong number of values", bytes);
            }
        if (!throughFile)
            return;
        QFile file(m_file);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fail("the input file cannot be written", bytes);
        file.write(bytes);
        file.close();
        MasterFileReader reader(m_file);
        QStringList read;
        while (const std::optional<QString> line = reader.next())
            read << *line;
        if (read != lines || reader.lineCount() != lines.size())
            fail("the line reader and the whole-file decoding differ", bytes);
    }

    void money(const QByteArray& bytes) {
        for (const QString& text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
            const std::optional<Money> value = Money::parse(text);
            if (!value)
                continue;
            if (Money::parse(value->toPlainString()) != value)
                fail("an amount does not read back from its plain text", bytes);
            try {
                const std::optional<Money> shown = Money::parse(value->format());
                if (shown != value->roundedToCent())
                    fail("an amount does not read back from the figure it shows", bytes);
            } catch (const Failure&) {
                // An amount past what the book holds may refuse to be rounded: no crash.
            }
        }
    }

    void statement(const QByteArray& bytes) {
        for (const auto& read :
             {+[](const QByteArray& b) { return StatementAccounts::join(OfxReader::read(b)); },
              +[](const QByteArray& b) { return StatementAccounts::join(CamtReader::read(b)); },
              +[](const QByteArray& b) {
                  return CsvStatement::read(b, CsvMapping{}, QDate(2024, 6, 30));
              }}) {
            try {
                for (const StatementLine& line : read(bytes).lines)
                    if (!line.date.isValid() || line.bankId.isEmpty())
                        fail("a statement line has no date or no identifier", bytes);
            } catch (const StatementError&) {
                // Refused with its reason: what a bad file must do.
            } catch (...) {
                fail("a statement file failed other than by a StatementError", bytes);
            }
        }
        const QString text = QString::fromLatin1(bytes);
        for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
            const std::optional<Money> value = StatementText::amount(text, separator);
            if (value && StatementText::amount(value->toPlainString(), QLatin1Char('.')) != value)
                fail("a statement amount does not read back from its plain text", bytes);
        }
    }

    // Files built to be hostile in size: nesting thousands of levels deep inside an entry,
    // a field of megabytes, and many lines. Each must be read (its long text cut to what the
    // book keeps) or refused, in time and memory linear in its size.
    void hostile(QRandomGenerator& random) {
        const int depth = random.bounded(1000, 60000);
        QByteArray nested = "<Document><BkToCstmrStmt><Stmt><Ntry><Amt>1.00</Amt><CdtDbtInd>"
                            "CRDT</CdtDbtInd><BookgDt><Dt>2024-03-04</Dt></BookgDt>";
        for (int i = 0; i < depth; ++i)
            nested += "<a> ";
        for (int i = 0; i < depth; ++i)
            nested += "</a> ";
        statement(nested + "</Ntry></Stmt></BkToCstmrStmt></Document>");

        const QByteArray longText(random.bounded(1, 8) * 1024 * 1024, 'x');
        const QByteArray longOfx = "OFXHEADER:100\n<OFX><STMTTRN><DTPOSTED>20240305<TRNAMT>1"
                                   "<FITID>1<NAME>" +
                                   longText + "<MEMO>" + longText + "</STMTTRN></OFX>";
        const QByteArray longCamt =
            "<Document><BkToCstmrStmt><Stmt><Ntry><Amt>1.00</Amt><CdtDbtInd>CRDT</CdtDbtInd>"
            "<BookgDt><Dt>2024-03-04</Dt></BookgDt><NtryDtls><TxDtls><RltdPties><Dbtr><Nm>" +
            longText + "</Nm></Dbtr></RltdPties><RmtInf><Ustrd>" + longText +
            "</Ustrd></RmtInf></TxDtls></NtryDtls></Ntry></Stmt></BkToCstmrStmt></Document>";
        for (const bool ofx : {true, false}) {
            const QByteArray& bytes = ofx ? longOfx : longCamt;
            const Statement read = readOne(bytes, ofx);
            if (read.lines.size() != 1 ||
                read.lines.front().name.size() > StatementLine::kMaxNameLength ||
                read.lines.front().memo.size() > StatementLine::kMaxMemoLength)
                fail("a long field was not cut to what the book keeps", bytes.left(256));
        }

        const int lines = random.bounded(1000, 50000);
        QByteArray many = "OFXHEADER:100\n<OFX>";
        for (int i = 0; i < lines; ++i)
            many += "<STMTTRN><DTPOSTED>20240305<TRNAMT>-1.5<NAME>Same</STMTTRN>\n";
        const Statement read = readOne(many + "</OFX>", true);
        QSet<QString> ids;
        for (const StatementLine& line : read.lines)
            ids.insert(line.bankId);
        if (read.lines.size() != lines || ids.size() != lines)
            fail("equal lines of a long file were not each read once", many.left(256));
    }

    qint64 failures() const { return m_failures; }

private:
    Statement readOne(const QByteArray& bytes, bool ofx) {
        try {
            return StatementAccounts::join(ofx ? OfxReader::read(bytes) : CamtReader::read(bytes));
        } catch (const StatementError& error) {
            fail("a hostile file was refused", error.message().toUtf8());
        }
        return {};
    }

    void fail(const char* what, const QByteArray& bytes) {
        ++m_failures;
        std::fprintf(stderr, "%s: %s\n", what, bytes.toHex().constData());
    }

    QString m_file;
    qint64 m_failures = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.at(1).toLongLong() < 1) {
        std::fprintf(stderr, "usage: %s <inputs> [seed]\n", argv[0]);
        return 2;
    }
    const qint64 inputs = args.at(1).toLongLong();
    const quint32 seed =
        args.size() > 2 ? args.at(2).toUInt() : QRandomGenerator::system()->generate();
    QRandomGenerator random(seed);
    QTemporaryDir folder;
    Fuzzer fuzzer(folder.path());
    for (qint64 i = 0; i < inputs; ++i) {
        const QByteArray bytes = input(random);
        fuzzer.masterFile(bytes, i % 16 == 0);
        fuzzer.money(bytes);
        fuzzer.statement(bytes);
        if (i % 4000 == 0)
            fuzzer.hostile(random);
    }
    std::printf("seed %u inputs %lld failures %lld\n", seed, inputs, fuzzer.failures());
    return fuzzer.failures() == 0 ? 0 : 1;
}
