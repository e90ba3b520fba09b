// How fast the customers and vendors windows answer over a long address book:
// opening (first record shown), moving to the last record, stepping back and finding.
//
//   bench_customersvendors [records]      (default 100000)

#include "bookgenerator.h"
#include "support/testbook.h"

#include "data/recordnavigator.h"
#include "masters/partykind.h"
#include "masters/partystore.h"
#include "masters/partywindow.h"
#include "shell/navigatorbar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 7;

struct Figures {
    std::vector<double> samples;
    void add(double ms) { samples.push_back(ms); }
    double median() {
        std::sort(samples.begin(), samples.end());
        return samples[samples.size() / 2];
    }
    double worst() const { return *std::max_element(samples.begin(), samples.end()); }
};

double timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

void press(PartyWindow& window, const char* button) {
    window.navigatorBar()->findChild<QToolButton*>(QString::fromLatin1(button))->click();
}

void report(const char* what, Figures& figures, double limit) {
    const double median = figures.median();
    std::printf("  %-34s median %8.2f ms   worst %8.2f ms   target < %.0f ms  %s\n", what, median,
                figures.worst(), limit, median < limit ? "ok" : "TOO SLOW");
    std::fflush(stdout);
}

bool bench(TestBook& book, const PartyKind& kind, const QList<BookGenerator::Party>& parties) {
    const int records = int(parties.size());
    std::printf("%s: %d records\n", qPrintable(kind.caption), records);

    Figures open, last, previous, first, find;
    const PartyStore store(book.db, kind);
    // A name that only one record near the end of the number order holds: the find must
    // count the records before it to show its position.
    const QString nameNearTheEnd = QStringLiteral("Only Once Trading");
    book.db.exec(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                     .arg(kind.table, kind.nameColumn(), kind.numberColumn()),
                 {nameNearTheEnd, parties.at(records - 2).id});
    bool ok = true;
    for (int run = 0; run < kRuns; ++run) {
        std::unique_ptr<PartyWindow> window;
        open.add(timed([&] {
            window = std::make_unique<PartyWindow>(book.services, kind);
            window->show();
            QCoreApplication::processEvents();
        }));
        ok = ok && window->records().position() == 1 && window->records().count() == records;
        last.add(timed([&] {
            press(*window, "navLast");
            QCoreApplication::processEvents();
        }));
        ok = ok && window->records().position() == records;
        previous.add(timed([&] {
            press(*window, "navPrevious");
            QCoreApplication::processEvents();
        }));
        ok = ok && window->records().position() == records - 1;
        first.add(timed([&] {
            press(*window, "navFirst");
            QCoreApplication::processEvents();
        }));
        ok = ok && window->records().position() == 1;
        // What a find does once the entry is chosen: look the value up, show its record.
        find.add(timed([&] {
            const std::optional<QString> number =
                store.firstNumberWhere(PartyKind::NameField, nameNearTheEnd);
            if (number)
                window->records().moveToKey(*number);
            QCoreApplication::processEvents();
        }));
        ok = ok && window->field(PartyKind::NameField)->text() == nameNearTheEnd;
        window->close();
    }
    report("open, first record shown", open, 200);
    report("move to the last record", last, 100);
    report("move back one record", previous, 100);
    report("move to the first record", first, 100);
    report("find a name near the end", find, 100);
    if (!ok)
        std::printf("  WRONG RECORD SHOWN: the figures above do not count\n");
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 100000;
    BookGenerator::Options options;
    options.transactions = 0;
    options.customers = records;
    options.vendors = records;
    const BookGenerator generator(options);
    TestBook book;
    QElapsedTimer making;
    making.start();
    generator.writeMasters(book.db);
    std::printf("Customers and vendors windows over a generated book (made in %lld ms), %d runs "
                "each (median and worst)\n",
                making.elapsed(), kRuns);
    bool ok = bench(book, PartyKind::customers(), generator.customers());
    ok = bench(book, PartyKind::vendors(), generator.vendors()) && ok;
    return ok ? 0 : 1;
}
