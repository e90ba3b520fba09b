// Times a bank statement of 5,000 lines matched against a book of a million transactions
// (about 20,000 outstanding): from the file to the proposals, then accepting the matches.
// Targets: file to proposals under 500 ms; accepting 5,000 matches under 200 ms.
// Usage: bench_statementimport [book to copy | transactions to generate]

#include "bookgenerator.h"
#include "data/codes.h"
#include "data/database.h"
#include "data/upgradesteps.h"
#include "figures.h"
#include "statement/ofxreader.h"
#include "statement/statementstore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kLines = 5000;
constexpr int kWidth = 44;
// The bank account the lines are kept for, as the book's bank GL account names it.
const QString kBank = QStringLiteral("1000");

// An OFX statement of every fourth outstanding transaction: its bank amount, its date moved
// by up to two days, and for every other line its number as the cheque number.
QByteArray statementOf(const QList<StatementMatcher::BookEntry>& outstanding,
                       QStringList& sources) {
    QByteArray ofx = "OFXHEADER:100\r\nDATA:OFXSGML\r\n\r\n<OFX><BANKTRANLIST>\r\n";
    for (qsizetype i = 0; i < outstanding.size() && sources.size() < kLines; i += 4) {
        const StatementMatcher::BookEntry& entry = outstanding.at(i);
        const int n = int(sources.size());
        ofx += "<STMTTRN><DTPOSTED>" +
               entry.date.addDays(n % 3).toString(QStringLiteral("yyyyMMdd")).toLatin1() +
               "<TRNAMT>" + entry.bankAmount.toPlainString().toLatin1() + "<FITID>F" +
               QByteArray::number(n) +
               (n % 2 == 0 ? "<CHECKNUM>" + entry.transId.toLatin1() : QByteArray()) +
               "<NAME>Line " + QByteArray::number(n) + "</STMTTRN>\r\n";
        sources.append(entry.transId);
    }
    return ofx + "</BANKTRANLIST></OFX>\r\n";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTemporaryDir dir;
    const QString bookPath = dir.path() + QStringLiteral("/cashbook.mdb");
    if (!BookGenerator::benchBook(args, bookPath))
        return 2;
    Database db;
    db.open(bookPath);
    if (!db.scalar(QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = 'tblStatementLines'"))
             .isValid()) {
        QStringList notices;
        UpgradeSteps::addStatementTables(db, notices);
    }
    StatementStore store(db);
    QStringList sources;
    const QString file = dir.path() + QStringLiteral("/statement.ofx");
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(statementOf(store.outstanding(), sources)) < 0)
            return 2;
    }
    std::printf("Statement: %lld lines against %lld transactions\n",
                static_cast<long long>(sources.size()),
                db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toLongLong());
    check(sources.size() == kLines, "the book has too few outstanding transactions");
    printLoad("before");

    Figures proposing;
    Statement statement;
    QList<StatementMatcher::BookEntry> outstanding;
    QList<StatementMatcher::Proposal> proposals;
    for (int run = 0; run < 3; ++run) {
        proposing.add(timed([&] {
            QFile in(file);
            if (!in.open(QIODevice::ReadOnly))
                return;
            statement = StatementAccounts::join(OfxReader::read(in.readAll()));
            outstanding = store.outstanding();
            if (store.importedBefore(kBank, statement.lines).contains(true))
                statement.lines.clear();
            proposals = StatementMatcher::match(statement.lines, outstanding);
        }));
        // Every line is proposed its own transaction, or left to the user as a tie; a
        // proposal of another transaction must at least agree in amount and window.
        int own = 0;
        bool sound = proposals.size() == kLines;
        for (qsizetype i = 0; sound && i < proposals.size(); ++i) {
            const StatementMatcher::Proposal& p = proposals.at(i);
            if (p.entry < 0)
                continue;
            const StatementMatcher::BookEntry& e = outstanding.at(p.entry);
            own += e.transId == sources.at(i);
            sound = e.bankAmount == statement.lines.at(i).amount &&
                    std::abs(e.date.daysTo(statement.lines.at(i).date)) <= 10;
        }
        proposing.check(sound && own >= kLines * 95 / 100,
                        "propose: the lines were not matched with their transactions");
    }

    Figures accepting;
    QList<StatementStore::Accepted> accepted;
    for (qsizetype i = 0; i < proposals.size(); ++i)
        accepted.append({statement.lines.at(i), proposals.at(i).entry >= 0
                                                    ? outstanding.at(proposals.at(i).entry).transId
                                                    : QString()});
    const auto reconciled = [&db] {
        return db
            .scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE TransStatus = ?"),
                    {Codes::Reconciled})
            .toLongLong();
    };
    const qint64 before = reconciled();
    qint64 matched = 0;
    for (const StatementStore::Accepted& a : accepted)
        matched += !a.transId.isEmpty();
    int kept = 0;
    accepting.add(timed([&] { kept = store.accept(kBank, accepted, QDate::currentDate()); }));
    accepting.check(kept == kLines && reconciled() == before + matched,
                    "accept: the matches were not reconciled and the lines kept");
    accepting.check(store.importedBefore(kBank, statement.lines).count(true) == kLines,
                    "accept: a second import would not know the lines");

    proposing.report("file to proposals, 5,000 lines", 500, kWidth);
    accepting.report("accept 5,000 matches", 200, kWidth);
    std::printf("  %-*s peak %8.1f MB\n", kWidth, "resident memory", peakResidentMb());
    printLoad("after");
    return benchStatus();
}
