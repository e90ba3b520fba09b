// How fast the customers and vendors windows answer over a long address book:
// opening (first record shown), moving to the last record, stepping back and finding.
//
//   bench_customersvendors [records]      (default 100000)

#include "bookgenerator.h"
#include "figures.h"
#include "support/testbook.h"

#include "data/recordnavigator.h"
#include "kit/navigatorbar.h"
#include "masters/partykind.h"
#include "masters/partystore.h"
#include "masters/partywindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRuns = 7;
// The width of a step's name in the report lines.
constexpr int kNameWidth = 34;

void press(PartyWindow& window, const char* button) {
    window.navigatorBar()->findChild<QToolButton*>(QString::fromLatin1(button))->click();
}

void bench(TestBook& book, const PartyKind& kind) {
    const int records =
        book.value(QStringLiteral("SELECT COUNT(*) FROM %1").arg(kind.table)).toInt();
    std::printf("%s: %d records\n", qPrintable(kind.caption), records);
    if (!check(records >= 2, "fewer than two records"))
        return;

    Figures open, last, previous, first, find;
    const PartyStore store(book.db, kind);
    // A name that only one record near the end of the number order holds (the one before
    // the last): the find must count the records before it to show its position.
    const QString nameNearTheEnd = QStringLiteral("Only Once Trading");
    book.db.exec(
        QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = (SELECT %3 FROM %1 ORDER BY %3 DESC "
                       "LIMIT 1 OFFSET 1)")
            .arg(kind.table, kind.nameColumn(), kind.numberColumn()),
        {nameNearTheEnd});
    for (int run = 0; run < kRuns; ++run) {
        std::unique_ptr<PartyWindow> window;
        open.add(timed([&] {
            window = std::make_unique<PartyWindow>(book.services, kind);
            window->show();
            QCoreApplication::processEvents();
        }));
        open.check(window->records().position() == 1 && window->records().count() == records,
                   "open: not the first of every record");
        last.add(timed([&] {
            press(*window, "navLast");
            QCoreApplication::processEvents();
        }));
        last.check(window->records().position() == records, "last: not the last record");
        previous.add(timed([&] {
            press(*window, "navPrevious");
            QCoreApplication::processEvents();
        }));
        previous.check(window->records().position() == records - 1,
                       "previous: not the record before the last");
        first.add(timed([&] {
            press(*window, "navFirst");
            QCoreApplication::processEvents();
        }));
        first.check(window->records().position() == 1, "first: not the first record");
        // What a find does once the entry is chosen: look the value up, show its record.
        find.add(timed([&] {
            const std::optional<QString> number =
                store.firstNumberWhere(PartyKind::NameField, nameNearTheEnd);
            if (number)
                window->records().moveToKey(*number);
            QCoreApplication::processEvents();
        }));
        find.check(window->field(PartyKind::NameField)->text() == nameNearTheEnd &&
                       window->records().position() == records - 1,
                   "find: the record with the name is not shown in its place");
        window->close();
    }
    open.report("open, first record shown", 200, kNameWidth);
    last.report("move to the last record", 100, kNameWidth);
    previous.report("move back one record", 100, kNameWidth);
    first.report("move to the first record", 100, kNameWidth);
    find.report("find a name near the end", 100, kNameWidth);
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
    bench(book, PartyKind::customers());
    bench(book, PartyKind::vendors());
    return benchStatus();
}
