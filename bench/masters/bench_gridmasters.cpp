// How fast the grid master windows and the find dialog answer over long lists: the chart
// of accounts and departments opening (first row shown) and moving to the last row, a
// find by description, and the find dialog opening and answering type-ahead over the
// customers' names.
//
//   bench_gridmasters [accounts] [names]      (defaults 10000 and 100000)

#include "bookgenerator.h"
#include "figures.h"
#include "support/testbook.h"

#include "masters/chartofaccountswindow.h"
#include "masters/departmentswindow.h"
#include "masters/finddialog.h"
#include "masters/gridnavigatorbar.h"
#include "masters/gridview.h"
#include "masters/taxtablewindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRandomGenerator>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int kRuns = 7;
// The width of a step's name in the report lines.
constexpr int kNameWidth = 40;

void press(QWidget* navigator, const char* button) {
    navigator->findChild<QToolButton*>(QString::fromLatin1(button))->click();
    QCoreApplication::processEvents();
}

template <typename Window>
void benchGrid(TestBook& book, const char* title, int rows, int findColumn,
               const QString& findValue) {
    std::printf("%s: %d rows\n", title, rows);
    Figures open, last, first, add, find;
    for (int run = 0; run < kRuns; ++run) {
        std::unique_ptr<Window> window;
        open.add(timed([&] {
            window = std::make_unique<Window>(book.services);
            window->show();
            QCoreApplication::processEvents();
        }));
        open.check(window->recordSet().recordCount() == rows && window->currentRow() == 0,
                   "first row not shown");
        last.add(timed([&] { press(window->navigator(), "navLast"); }));
        last.check(window->currentRow() == rows - 1, "last row not shown");
        first.add(timed([&] { press(window->navigator(), "navFirst"); }));
        first.check(window->currentRow() == 0, "first row not shown again");
        add.add(timed([&] {
            window->template findChild<QPushButton*>(QStringLiteral("cmdAdd"))->click();
            QCoreApplication::processEvents();
        }));
        add.check(window->recordSet().isNewRowLine(window->currentRow()),
                  "Add missed the new line");
        if (findColumn >= 0) {
            // What a find does once the entry is chosen: look the value up, show its row.
            find.add(timed([&] {
                FindTarget target = window->findTarget(findColumn);
                target.moveToFirstEqual(findValue);
                QCoreApplication::processEvents();
            }));
            find.check(window->recordSet().text(window->currentRow(), findColumn) == findValue,
                       "find showed another row");
        }
        window->close();
    }
    open.report("open, first row shown", 200, kNameWidth);
    last.report("move to the last row", 100, kNameWidth);
    first.report("move to the first row", 100, kNameWidth);
    add.report("Add (to the new-row line)", 100, kNameWidth);
    if (findColumn >= 0)
        find.report("find a description near the end", 100, kNameWidth);
}

void benchFind(TestBook& book, const char* title, const QString& query, int openTarget) {
    const int names = book.value(QStringLiteral("SELECT COUNT(*) FROM tblCustomers")).toInt();
    std::printf("Find dialog, %s: %d names\n", title, names);
    Figures fill, typeAhead, noMatch;
    QRandomGenerator random(20030115);
    for (int run = 0; run < kRuns; ++run) {
        std::unique_ptr<FindDialog> dialog;
        QLineEdit* find = nullptr;
        QListView* list = nullptr;
        fill.add(timed([&] {
            dialog = std::make_unique<FindDialog>(book.services);
            dialog->setAddCaption(QStringLiteral("Type Customer Name to find"));
            dialog->setRecordSource(query);
            dialog->show();
            QCoreApplication::processEvents();
        }));
        find = dialog->findChild<QLineEdit*>(QStringLiteral("txtFind"));
        list = dialog->findChild<QListView*>(QStringLiteral("List1"));
        if (!fill.check(dialog->entryCount() == names && list->isEnabled(), "list not filled"))
            break;
        // Each keystroke of a name picked at random, as a user types it.
        for (int probe = 0; probe < 20; ++probe) {
            const QString name =
                list->model()->index(int(random.bounded(names)), 0).data().toString();
            find->clear();
            for (int length = 1; length <= std::min<int>(6, int(name.size())); ++length) {
                typeAhead.add(timed([&] {
                    find->setText(name.left(length));
                    QCoreApplication::processEvents();
                }));
                typeAhead.check(list->currentIndex().data().toString().startsWith(
                                    name.left(length), Qt::CaseInsensitive),
                                "type-ahead selected a wrong entry");
            }
        }
        const QModelIndex selected = list->currentIndex();
        noMatch.add(timed([&] {
            find->setText(QStringLiteral("zzzz no such name"));
            QCoreApplication::processEvents();
        }));
        noMatch.check(list->currentIndex() == selected,
                      "a text no entry begins with moved the selection");
        dialog->close();
    }
    fill.report("open, the list shown", openTarget, kNameWidth);
    typeAhead.report("type-ahead, one keystroke", 20, kNameWidth);
    noMatch.report("type-ahead, no entry matches", 20, kNameWidth);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int accounts = argc > 1 ? std::max(30, QString::fromLocal8Bit(argv[1]).toInt()) : 10000;
    const int names = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 100000;

    BookGenerator::Options options;
    options.transactions = 0;
    options.accounts = accounts;
    options.customers = names;
    options.vendors = 10;
    const BookGenerator generator(options);
    TestBook book;
    QElapsedTimer making;
    making.start();
    generator.writeMasters(book.db);
    // As many departments as accounts, for the departments window.
    {
        Transaction transaction(book.db);
        for (int i = 0; i < accounts; ++i)
            book.db.exec(QStringLiteral("INSERT OR IGNORE INTO tblDepartments (DeptCode, "
                                        "DeptDescription) VALUES (?, ?)"),
                         {QStringLiteral("D%1").arg(i, 5, 10, QLatin1Char('0')),
                          QStringLiteral("Department %1").arg(i)});
        transaction.commit();
    }
    const int chartRows =
        book.value(QStringLiteral("SELECT COUNT(*) FROM tblChartOfAccounts")).toInt();
    const int deptRows = book.value(QStringLiteral("SELECT COUNT(*) FROM tblDepartments")).toInt();
    const QString lastDescription =
        book.value(QStringLiteral("SELECT AccountDescription FROM tblChartOfAccounts ORDER BY "
                                  "AccountCode DESC, DeptCode DESC"))
            .toString();
    std::printf("Grid master windows and find dialog over a generated book (made in %lld ms), "
                "%d runs each (median and worst)\n",
                making.elapsed(), kRuns);

    benchGrid<ChartOfAccountsWindow>(book, "Chart of accounts", chartRows, 2, lastDescription);
    benchGrid<DepartmentsWindow>(book, "Departments", deptRows, -1, QString());
    benchFind(book, "names in name order (read by key)",
              QStringLiteral("SELECT CustName FROM tblCustomers ORDER BY CustName"), 100);
    benchFind(book, "names in number order (read whole, searched in turn)",
              QStringLiteral("SELECT CustName FROM tblCustomers ORDER BY CustID"), 300);
    return benchStatus();
}
