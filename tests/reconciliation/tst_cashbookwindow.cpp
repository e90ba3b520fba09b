// The reconciliation screen and period end, driven as a user does.
#include "data/bookbackup.h"
#include "data/messages.h"
#include "masters/gridview.h"
#include "reconciliation/cashbookwindow.h"
#include "reconciliation/cashpositionchart.h"
#include "shell/switchboardwindow.h"
#include "support/datarows.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

namespace {

using Answer = Prompts::Answer;
using Model = ReconciliationListModel;

// March 2024, a take-on balance of 1000.00, and transactions of the months before and of
// March: id, date, status, bank side in cents, vendor, customer.
void fillBook(TestBook& book) {
    book.sql("UPDATE tblBankDetails SET CurrentMonth = '3', CurrentYear = '2024', "
             "StartingBankBalance = 10000000");
    const char* const rows[][6] = {
        {"E1", "2024-01-10", "1", "-5000", "V1", ""},  // an earlier month, outstanding
        {"E2", "2024-02-11", "2", "30000", "", "C1"},  // an earlier month, reconciled
        {"M1", "2024-03-02", "2", "20000", "", "C2"},  // March, reconciled
        {"M2", "2024-03-05", "1", "-2000", "V2", ""},  // March, outstanding
        {"M3", "2024-03-06", "4", "-99900", "V3", ""}, // March, void
    };
    for (const auto& row : rows)
        book.sql("INSERT INTO tblCashbook (TransID, TransDate, TransStatus, DoubleEntryBank, "
                 "VendorID, CustID, TransDesc) VALUES (?, ?, ?, ?, ?, ?, 'Entry ' || ?)",
                 {row[0], row[1], row[2], QString::fromLatin1(row[3]).toLongLong() * 100, row[4],
                  row[5], row[0]});
}

QString caption(QWidget* window) {
    return child<QLabel>(window, QStringLiteral("lblPosition"))->text();
}

// The three figures and the three labels, "current|statement|difference|labels".
QString figures(QWidget* window) {
    QStringList labels;
    for (int i = 0; i < 3; ++i)
        labels << child<QLabel>(window, QStringLiteral("lblCalculating(%1)").arg(i))->text();
    labels.removeDuplicates();
    return textOf(window, "txtCashbookCurrentBalance") + "|" +
           textOf(window, "txtBankStatementBalance") + "|" +
           textOf(window, "txtAbsoluteDifference") + "|" + labels.join(QLatin1Char(','));
}

// The cash position page's last day, as the figures show it ("cashbook|reconciled"), read by
// turning to the page and back.
QString chartFigures(QWidget* window) {
    auto* tabs = child<QTabWidget>(window, QStringLiteral("tabCashbook"));
    tabs->setCurrentIndex(1);
    const CashPosition& position =
        child<CashPositionChart>(window, QStringLiteral("fraCashPosition"))->position();
    tabs->setCurrentIndex(0);
    if (position.cashbook.isEmpty())
        return {};
    return position.cashbook.last().format(Money::Format::Written) + "|" +
           position.reconciled.last().format(Money::Format::Written);
}

QString column(const Model* model, int column) {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts.join(QLatin1Char(','));
}

} // namespace

class TestCashbookWindow : public QObject {
    Q_OBJECT
private slots:
    // Current and outstanding: every outstanding transaction and all of the current month, an
    // earlier reconciled one left out; then all transactions; the figures and the navigator.
    void selections() {
        TestBook book;
        fillBook(book);
        CashbookWindow window(book.services);
        auto* model = window.model();
        QCOMPARE(window.windowTitle(), QStringLiteral("Cashbook - Reconciliation"));
        QCOMPARE(textOf(&window, "txtCurrentMonth") + " " + textOf(&window, "txtCurrentYear"),
                 QStringLiteral("March 2024"));
        QCOMPARE(textOf(&window, "txtCurrentView"),
                 QStringLiteral("Current and Outstanding Transactions"));
        QCOMPARE(column(model, Model::TransIdColumn), QStringLiteral("E1,M1,M2,M3"));
        QCOMPARE(column(model, Model::DateColumn),
                 QStringLiteral("10-Jan-24,02-Mar-24,05-Mar-24,06-Mar-24"));
        QCOMPARE(column(model, Model::AmountColumn),
                 QStringLiteral("($50.00),$200.00,($20.00),($999.00)"));
        QCOMPARE(column(model, Model::VendorColumn) + "/" + column(model, Model::CustomerColumn),
                 QStringLiteral("V1,,V2,V3/,C2,,"));
        QCOMPARE(caption(&window), QStringLiteral("Record: 1 of 4"));
        QCOMPARE(figures(&window), QStringLiteral("$1,430.00|$1,500.00|$70.00|Calculated"));
        for (int c = 0; c < Model::ColumnCount; ++c)
            QCOMPARE(bool(model->index(0, c).flags() & Qt::ItemIsEditable),
                     c == Model::StatusColumn);

        press(window, "cmdAllTransactions");
        QCOMPARE(textOf(&window, "txtCurrentView"), QStringLiteral("All Transactions"));
        QCOMPARE(column(model, Model::TransIdColumn), QStringLiteral("E1,E2,M1,M2,M3"));
        press(window, "navLast");
        QCOMPARE(caption(&window), QStringLiteral("Record: 5 of 5"));
        press(window, "cmdViewCurrentCB");
        QCOMPARE(caption(&window), QStringLiteral("Record: 1 of 4"));
        QVERIFY(book.prompts.verifyAllShown());
    }

    // An empty selection shows "Record: 0" and its figures are the starting balance.
    void emptySelection() {
        TestBook book;
        book.sql("UPDATE tblBankDetails SET StartingBankBalance = 1234500");
        CashbookWindow window(book.services);
        QCOMPARE(caption(&window), QStringLiteral("Record: 0"));
        QCOMPARE(figures(&window), QStringLiteral("$123.45|$123.45|$0.00|Calculated"));
    }

    void statusChange_data() {
        // message: shown instead of a write; after: the figures once the row is left
        columns<int, QString, QString, QString, QString>("row", "typed", "stored", "message",
                                                         "after");
        const QString unchanged = QStringLiteral("$1,430.00|$1,500.00|$70.00|Calculated");
        addRow("outstanding reconciled", 0, "2", "2", QString(),
               "$1,430.00|$1,450.00|$20.00|Calculated");
        addRow("outstanding reversed", 2, "3", "3", QString(),
               "$1,450.00|$1,500.00|$50.00|Calculated");
        // Both figures lose the amount: the difference, and so the labels, stay as they were.
        addRow("reconciled void", 1, "4", "4", QString(),
               "$1,230.00|$1,300.00|$70.00|Calculating...");
        addRow("cleared is outstanding", 1, "", "1", QString(),
               "$1,430.00|$1,300.00|$130.00|Calculated");
        addRow("a number above 4 is outstanding", 3, "5", "1", QString(),
               "$431.00|$1,500.00|$1,069.00|Calculated");
        for (const char* refused : {"x", "0", "-1", "4.5"})
            addRow(refused, refused[0] == 'x' ? 1 : 0, refused, refused[0] == 'x' ? "2" : "1",
                   Messages::statusNotAllowed(refused), unchanged);
        addRow("write fails", 0, "2", "1", Messages::statusNotSaved("E1", "disk I/O error"),
               unchanged);
    }

    // A status typed into the grid is written at once; the figures follow when the row is left,
    // and the row stays listed with its new status, and the cash position page shows the new
    // balances when turned to again. A refused or failed status changes nothing.
    void statusChange() {
        auto [row, typed, stored, message, after] = fetch<int, QString, QString, QString, QString>(
            "row", "typed", "stored", "message", "after");
        TestBook book;
        fillBook(book);
        if (QTest::currentDataTag() == QLatin1String("write fails"))
            book.sql("CREATE TRIGGER refuse BEFORE UPDATE ON tblCashbook BEGIN SELECT "
                     "RAISE(ABORT, 'disk I/O error'); END");
        book.clock.date = QDate(2024, 3, 31);
        CashbookWindow window(book.services);
        QVERIFY(showActive(&window));
        QCOMPARE(chartFigures(&window), QStringLiteral("$1,430.00|$1,500.00"));
        auto* grid = child<GridView>(&window, QStringLiteral("DataGrid1"));
        grid->setFocus();
        grid->setCurrentIndex(window.model()->index(row, Model::StatusColumn));
        const QString id = window.model()->transId(row);
        if (!message.isEmpty())
            book.prompts.expect(message);
        typeInCell(grid, row, Model::StatusColumn, typed);
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(
            book.value("SELECT TransStatus FROM tblCashbook WHERE TransID = ?", {id}).toString(),
            stored);
        QCOMPARE(window.model()->status(row), stored);
        QCOMPARE(figures(&window).section('|', 3), message.isEmpty()
                                                       ? QStringLiteral("Calculating...")
                                                       : QStringLiteral("Calculated"));
        press(window, row == 0 ? "navNext" : "navFirst");
        QCOMPARE(figures(&window), after);
        QCOMPARE(chartFigures(&window), after.section('|', 0, 1));
        QCOMPARE(window.model()->rowCount(), 4);
        QCOMPARE(window.model()->transId(row), id);
    }

    // The cell's button (Alt+Down) opens the status list; a double-click hands its code over.
    void statusChosenFromTheList() {
        TestBook book;
        fillBook(book);
        CashbookWindow window(book.services);
        QVERIFY(showActive(&window));
        auto* grid = child<GridView>(&window, QStringLiteral("DataGrid1"));
        grid->setFocus();
        grid->setCurrentIndex(window.model()->index(2, Model::StatusColumn));
        QString list;
        whenModal([&list](QDialog* chooser) {
            list = chooser->objectName();
            doubleClickRow(child<QAbstractItemView>(chooser, QStringLiteral("DataGrid1")), 2);
        });
        QTest::keyClick(grid, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(list, QStringLiteral("frmTransactionStatus"));
        QCOMPARE(book.value("SELECT TransStatus FROM tblCashbook WHERE TransID = 'M2'").toString(),
                 QStringLiteral("3"));
        QVERIFY(book.prompts.verifyAllShown());
    }

    // The question and the notice, answered both ways, from the button and the menu item; an
    // unreadable month is reported and left as it is.
    void periodEnd_data() {
        // period: month/year before; boxes: the texts shown, a question answered Yes
        columns<QString, QString, QStringList, QString>("command", "period", "boxes", "after");
        const char* button = "cmdPEProcessing";
        const auto question = [](const char* month) {
            return Messages::periodEndQuestion(month, "2024");
        };
        addRow("December, Yes", button, "12/2024",
               QStringList{question("December"), Messages::periodEndCompleted("January", "2025")},
               "1/2025");
        addRow("November, Yes, from the menu", "mnuDataEntry2PeriodEndProcessing", "11/2024",
               QStringList{question("November"), Messages::periodEndCompleted("December", "2024")},
               "12/2024");
        addRow("December, No", button, "12/2024", QStringList{question("December")}, "12/2024");
        addRow("month unreadable", button, "13/2024",
               QStringList{Messages::errorReport(ErrorNumber::TypeMismatch,
                                                 "The current month \"13\" cannot be read.",
                                                 "frmSwitchboard", button)},
               "13/2024");
        const char* menu = "mnuDataEntry2PeriodEndProcessing";
        addRow("month unreadable, from the menu", menu, "0/2024",
               QStringList{Messages::errorReport(ErrorNumber::TypeMismatch,
                                                 "The current month \"0\" cannot be read.",
                                                 "frmSwitchboard", menu)},
               "0/2024");
    }

    void periodEnd() {
        auto [command, period, boxes, after] =
            fetch<QString, QString, QStringList, QString>("command", "period", "boxes", "after");
        TestBook book;
        book.sql("UPDATE tblBankDetails SET CurrentMonth = ?, CurrentYear = ?",
                 {period.section('/', 0, 0), period.section('/', 1)});
        SwitchboardWindow switchboard(book.services);
        const Answer answer = boxes.size() == 2 ? Answer::Yes : Answer::No;
        for (const QString& box : std::as_const(boxes))
            book.prompts.expect(box, answer);
        QVERIFY(runCommand(&switchboard, command));
        QVERIFY(book.prompts.verifyAllShown());
        if (book.prompts.shown().first().buttons == Prompts::Buttons::YesNo)
            QCOMPARE(book.prompts.shown().first().defaultButton, Answer::No);
        QCOMPARE(
            book.value("SELECT CurrentMonth || '/' || CurrentYear FROM tblBankDetails").toString(),
            after);
        // A checked copy of the book as it stood is kept before it moves on, and only then.
        QCOMPARE(BookBackup::backups(book.bookPath()).size(), after == period ? 0 : 1);
    }
};

QTEST_MAIN(TestCashbookWindow)
#include "tst_cashbookwindow.moc"
