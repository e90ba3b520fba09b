// The customers and vendors windows, driven as a user drives them.

#include "support/testbook.h"
#include "support/windowdriving.h"

#include "data/recordnavigator.h"
#include "masters/lookups.h"
#include "masters/partycommands.h"
#include "masters/partykind.h"
#include "masters/partywindow.h"
#include "shell/navigatorbar.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest>
#include <functional>

namespace {

const QString kDuplicate =
    QStringLiteral("^The changes you requested to the table were not successful");

const PartyKind& kindOf(int which) {
    return which == 0 ? PartyKind::customers() : PartyKind::vendors();
}

void addKinds() {
    QTest::addColumn<int>("which");
    QTest::newRow("customers") << 0;
    QTest::newRow("vendors") << 1;
}

// Stored records: number, name and the rest of the seven fields, empty when not given.
void store(TestBook& book, const PartyKind& kind, const QList<QStringList>& records) {
    for (const QStringList& values : records) {
        QVariantList binds;
        for (int i = 0; i < PartyKind::FieldCount; ++i)
            binds << values.value(i);
        book.sql(QStringLiteral("INSERT INTO %1 (%2) VALUES (?,?,?,?,?,?,?)")
                     .arg(kind.table, kind.columnList()),
                 binds);
    }
}

QStringList stored(TestBook& book, const PartyKind& kind, const QString& number) {
    QSqlQuery query = book.db.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                       .arg(kind.columnList(), kind.table, kind.numberColumn()),
                                   {number});
    QStringList values;
    if (query.next())
        for (int i = 0; i < PartyKind::FieldCount; ++i)
            values << query.value(i).toString();
    return values;
}

int rows(TestBook& book, const PartyKind& kind) {
    return book.value(QStringLiteral("SELECT COUNT(*) FROM ") + kind.table).toInt();
}

void type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

void navigate(PartyWindow& window, const char* name) {
    press(*window.navigatorBar(), name);
}

QString caption(PartyWindow& window) {
    return window.navigatorBar()->caption();
}

QStringList shown(PartyWindow& window) {
    QStringList texts;
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        texts << window.field(i)->text();
    return texts;
}

// Chooses `entry` in the find dialog that opens next, as a double-click does, after running
// `before`; the dialog's prompt goes to `prompt`.
void chooseInFind(const QString& entry, QString* prompt, const std::function<void()>& before = {}) {
    whenModal([entry, before, prompt](QDialog* dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("frmFind"));
        *prompt = child<QLabel>(dialog, QStringLiteral("lblWhichTable"))->text();
        auto* list = child<QListView>(dialog, QStringLiteral("List1"));
        const QModelIndexList found = list->model()->match(
            list->model()->index(0, 0), Qt::DisplayRole, entry, 1, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(entry));
        if (before)
            before();
        list->setCurrentIndex(found.first());
        list->scrollTo(found.first());
        const QPoint point = list->visualRect(found.first()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
    });
}

} // namespace

class TestCustomersVendors : public QObject {
    Q_OBJECT

private slots:
    void layoutAndEmptyList_data();
    void layoutAndEmptyList();
    void validationMessagesInOrder_data();
    void validationMessagesInOrder();
    void saveWritesOrRefusesTheRecord_data();
    void saveWritesOrRefusesTheRecord();
    void movingOff_data();
    void movingOff();
    void deletePositions_data();
    void deletePositions();
    void lookupTransfer_data();
    void lookupTransfer();
    void closingAndEscape();
    void findsByNumberAndName_data();
    void findsByNumberAndName();
};

void TestCustomersVendors::layoutAndEmptyList_data() {
    addKinds();
}

void TestCustomersVendors::layoutAndEmptyList() {
    QFETCH(int, which);
    const PartyKind& kind = kindOf(which);
    TestBook book;
    PartyWindow window(book.services, kind);
    QCOMPARE(window.windowTitle(), which == 0 ? QStringLiteral("Customers") : "Vendors");
    const QString tooltip = QStringLiteral("If using this form as a lookup, double-click to "
                                           "transfer %1 Number etc to another form.")
                                .arg(which == 0 ? "Customer" : "Vendor");
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        QCOMPARE(window.field(i)->toolTip(), tooltip);
    // Empty: nothing to edit until Add, nothing to save or delete, nowhere to move.
    QVERIFY(!window.field(0)->isEnabled());
    book.prompts.expect(QStringLiteral("There is no record to save."));
    press(window, "cmdUpdate");
    book.prompts.expect(QStringLiteral("There are no records to delete."));
    press(window, "cmdDelete");
    QCOMPARE(book.prompts.shown().at(0).icon, Prompts::Icon::Information);
    QCOMPARE(book.prompts.shown().at(1).icon, Prompts::Icon::Information);
    navigate(window, "navLast");
    QCOMPARE(caption(window), kind.noun + QStringLiteral(": 0"));

    book.prompts.verifyAllShown();
}

void TestCustomersVendors::validationMessagesInOrder_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    auto row = [](const char* name, int which, const char* number, const char* typedName,
                  const char* message, int focus) {
        QTest::newRow(name) << which << QString(number) << QString(typedName) << QString(message)
                            << focus;
    };
    row("customer, both empty", 0, "", "", "Must enter Customer Number.", 0);
    row("customer, name empty", 0, "C1", "", "Must enter Customer Name.", 1);
    row("vendor, name empty", 1, "V1", "", "Must enter Vendor Name.", 1);
}

void TestCustomersVendors::validationMessagesInOrder() {
    QFETCH(int, which);
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(int, focus);
    const PartyKind& kind = kindOf(which);
    TestBook book;
    PartyWindow window(book.services, kind);
    QVERIFY(showActive(&window));
    press(window, "cmdAdd");
    type(window.field(0), number);
    type(window.field(1), name);
    type(window.field(2), QStringLiteral("1 High Street"));
    book.prompts.expect(message).expect(QStringLiteral("Has not passed validation so not saved!"));
    press(window, "cmdUpdate");
    QCOMPARE(book.prompts.shown().at(0).icon, Prompts::Icon::Critical);
    QCOMPARE(book.prompts.shown().at(1).icon, Prompts::Icon::Critical);
    QCOMPARE(QApplication::focusWidget(), window.field(focus));
    QCOMPARE(rows(book, kind), 0);
    // The typed record is still there to be completed.
    QCOMPARE(window.field(2)->text(), QStringLiteral("1 High Street"));
    QVERIFY(window.records().isAdding());
    book.prompts.verifyAllShown();
}

void TestCustomersVendors::saveWritesOrRefusesTheRecord_data() {
    addKinds();
}

void TestCustomersVendors::saveWritesOrRefusesTheRecord() {
    QFETCH(int, which);
    const PartyKind& kind = kindOf(which);
    TestBook book;
    store(book, kind, {{"M1", "Middle"}, {"Z9", "Last"}});
    PartyWindow window(book.services, kind);
    press(window, "cmdAdd");
    QCOMPARE(caption(window), kind.noun + QStringLiteral(": 3 of 3"));
    // Each field takes only as many characters as its column holds; nothing is upper-cased.
    const QStringList typed{"m1",
                            "O'Brien & Sons, Shipwrights and Chandlers",
                            "Unit 2",
                            "Dock Road",
                            "",
                            "Harbourside",
                            "HB1 2XY 1234567890"};
    QStringList values{"a01bcd",
                       "O'Brien & Sons, Shipwrights an",
                       "Unit 2",
                       "Dock Road",
                       "",
                       "Harbourside",
                       "HB1 2XY 1234567"};
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        type(window.field(i), typed.at(i));
    // A number the book already holds (compared ignoring case) is refused with the book's
    // message; the new record stays on screen with the user's edits.
    book.prompts.expectMatch(kDuplicate);
    press(window, "cmdUpdate");
    QCOMPARE(book.prompts.shown().at(0).icon, Prompts::Icon::Critical);
    QCOMPARE(rows(book, kind), 2);
    QCOMPARE(stored(book, kind, "M1").value(1), QStringLiteral("Middle"));
    QVERIFY(window.records().isAdding());
    QCOMPARE(shown(window), QStringList{"m1"} + values.mid(1));
    // Corrected, the same record saves.
    type(window.field(0), QStringLiteral("a01bcde"));
    book.prompts.expect(QStringLiteral("Saved!"));
    press(window, "cmdUpdate");
    QCOMPARE(book.prompts.shown().at(1).icon, Prompts::Icon::Information);
    QCOMPARE(stored(book, kind, "a01bcd"), values);
    // The saved record stays on screen, at its place in number order.
    QCOMPARE(shown(window), values);
    QCOMPARE(caption(window), kind.noun + QStringLiteral(": 1 of 3"));
    QVERIFY(!window.isDirty());

    // Changing one field writes only that field.
    const QString address3 = QStringLiteral("SELECT Address3 FROM %1 WHERE %2 = 'a01bcd'")
                                 .arg(kind.table, kind.numberColumn());
    book.sql(QStringLiteral("UPDATE %1 SET Address3 = NULL").arg(kind.table));
    type(window.field(6), QStringLiteral("HB9 9ZZ"));
    book.prompts.expect(QStringLiteral("Saved!"));
    press(window, "cmdUpdate");
    QCOMPARE(stored(book, kind, "a01bcd").value(6), QStringLiteral("HB9 9ZZ"));
    QVERIFY(book.value(address3).isNull());
    QCOMPARE(rows(book, kind), 3);
    book.prompts.verifyAllShown();
}

void TestCustomersVendors::movingOff_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("number");  // typed over the shown record's number ("" keeps it)
    QTest::addColumn<QString>("name");    // typed over the name
    QTest::addColumn<QString>("message"); // the refusal shown; empty when the move happens
    auto row = [](const char* name, int which, const char* number, const char* typedName,
                  const QString& message) {
        QTest::newRow(name) << which << QString(number) << QString(typedName) << message;
    };
    row("changed record is written", 0, "", "Renamed", "");
    row("emptied name refused", 0, "", "-", "Must enter Customer Name.");
    row("emptied number refused", 1, "-", "", "Must enter Vendor Number.");
    row("number of another record refused", 1, "B2", "", kDuplicate);
}

void TestCustomersVendors::movingOff() {
    QFETCH(int, which);
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(QString, message);
    const PartyKind& kind = kindOf(which);
    TestBook book;
    store(book, kind, {{"A1", "First"}, {"B2", "Second"}, {"C3", "Third"}});
    PartyWindow window(book.services, kind);
    if (!number.isEmpty())
        type(window.field(0), number == QLatin1String("-") ? QString() : number);
    if (!name.isEmpty())
        type(window.field(1), name == QLatin1String("-") ? QString() : name);
    const QStringList edited = shown(window);
    auto expectRefusal = [&] {
        if (message.startsWith(QLatin1Char('^')))
            book.prompts.expectMatch(message);
        else
            book.prompts.expect(message);
    };
    if (message.isEmpty()) {
        navigate(window, "navNext");
        QCOMPARE(stored(book, kind, "A1").value(1), QStringLiteral("Renamed"));
        QCOMPARE(caption(window), kind.noun + QStringLiteral(": 2 of 3"));
        QCOMPARE(window.field(0)->text(), QStringLiteral("B2"));
    } else {
        expectRefusal();
        navigate(window, "navNext");
        // Not moved, nothing written, and the user's edits are still on screen.
        QCOMPARE(caption(window), kind.noun + QStringLiteral(": 1 of 3"));
        QCOMPARE(shown(window), edited);
        QCOMPARE(stored(book, kind, "A1").value(1), QStringLiteral("First"));
        QCOMPARE(rows(book, kind), 3);
        // The last-record move is refused in the same way.
        expectRefusal();
        navigate(window, "navLast");
        QCOMPARE(shown(window), edited);
    }
    book.prompts.verifyAllShown();
}

void TestCustomersVendors::deletePositions_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<int>("moves"); // Next presses before deleting
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<QString>("captionAfter");
    auto row = [](const char* name, int which, const QStringList& numbers, int moves,
                  const char* shownAfter, const char* captionAfter) {
        QTest::newRow(name) << which << numbers << moves << QString(shownAfter)
                            << QString(captionAfter);
    };
    row("first of three: second of the re-read list", 0, {"A", "B", "C"}, 0, "C",
        "Customer: 2 of 2");
    row("last of two: the only one", 0, {"A", "B"}, 1, "A", "Customer: 1 of 1");
    row("the only one", 1, {"A"}, 0, "", "Vendor: 0");
}

void TestCustomersVendors::deletePositions() {
    QFETCH(int, which);
    QFETCH(QStringList, numbers);
    QFETCH(int, moves);
    QFETCH(QString, shownAfter);
    QFETCH(QString, captionAfter);
    const PartyKind& kind = kindOf(which);
    TestBook book;
    for (const QString& number : numbers)
        store(book, kind, {{number, QStringLiteral("Name ") + number}});
    PartyWindow window(book.services, kind);
    for (int i = 0; i < moves; ++i)
        navigate(window, "navNext");
    const QString victim = window.field(0)->text();

    book.prompts.expect(QStringLiteral("Are you sure?"), Prompts::Answer::No);
    press(window, "cmdDelete");
    QCOMPARE(book.prompts.shown().at(0).defaultButton, Prompts::Answer::No);
    QCOMPARE(book.prompts.shown().at(0).icon, Prompts::Icon::Question);
    QCOMPARE(rows(book, kind), numbers.size());

    book.prompts.expect(QStringLiteral("Are you sure?"), Prompts::Answer::Yes);
    press(window, "cmdDelete");
    QVERIFY(stored(book, kind, victim).isEmpty());
    QCOMPARE(rows(book, kind), numbers.size() - 1);
    QCOMPARE(window.field(0)->text(), shownAfter);
    QCOMPARE(caption(window), captionAfter);
    book.prompts.verifyAllShown();
}

void TestCustomersVendors::lookupTransfer_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("target"); // the field double-clicked; -1 Close, -2 the close box
    QTest::newRow("vendor, postal code") << 1 << 6;
    QTest::newRow("customer, number") << 0 << 0;
    QTest::newRow("customers, Close") << 0 << -1;
    QTest::newRow("vendors, close box") << 1 << -2;
}

void TestCustomersVendors::lookupTransfer() {
    QFETCH(int, which);
    QFETCH(int, target);
    const PartyKind& kind = kindOf(which);
    TestBook book;
    const QStringList second{"P2", "Pens Ltd", "2 Ink Street", "Suite 4", "", "", "IN2 2BB"};
    store(book, kind,
          {{"P1", "Paper Mill", "1 Mill Lane", "", "Riverside", "North", "RV1 1AA"}, second});
    // A caller's earlier choice must be fully replaced, also by empty texts.
    for (int i = 1; i <= 7; ++i)
        book.lookup.value(i) = QStringLiteral("old");
    book.busy.set();
    whenModal([target](QDialog* modal) {
        auto* window = qobject_cast<PartyWindow*>(modal);
        QVERIFY(window);
        press(*window->navigatorBar(), "navNext");
        if (target == -1)
            press(window, "cmdClose");
        else if (target == -2)
            window->close();
        else
            QTest::mouseDClick(window->field(target), Qt::LeftButton, {}, QPoint(3, 3));
    });
    const bool chosen =
        which == 0 ? lookupCustomer(book.services, nullptr) : lookupVendor(book.services, nullptr);
    QCOMPARE(chosen, target >= 0);
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        QCOMPARE(book.lookup.value(i + 1), chosen ? second.at(i) : QString());
    QCOMPARE(book.lookup.FindResult, QString());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!book.busy.isBusy());
    book.prompts.verifyAllShown();
}

void TestCustomersVendors::closingAndEscape() {
    const PartyKind& kind = PartyKind::customers();
    TestBook book;
    // An imported record may hold more than a field accepts; showing it must not cut it.
    const QString longLine = QStringLiteral("An imported line of forty characters xxx");
    store(book, kind, {{"A1", "First", "Street", longLine}});
    PartyWindow window(book.services, kind);
    window.show();
    QCOMPARE(window.field(3)->text(), longLine);
    // Esc puts the stored values back; without edits, it closes the window.
    type(window.field(2), QStringLiteral("Other street"));
    QTest::keyClick(window.field(2), Qt::Key_Escape);
    QVERIFY(window.isVisible());
    QCOMPARE(window.field(2)->text(), QStringLiteral("Street"));
    QVERIFY(!window.isDirty());
    QTest::keyClick(window.field(2), Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    QCOMPARE(stored(book, kind, "A1").value(2), QStringLiteral("Street"));

    // Invalid edits keep the window open with them; valid ones are written as it closes.
    window.show();
    type(window.field(1), QString());
    book.prompts.expect(QStringLiteral("Must enter Customer Name."));
    press(window, "cmdClose");
    QVERIFY(window.isVisible());
    QCOMPARE(window.field(1)->text(), QString());
    type(window.field(1), QStringLiteral("Changed"));
    press(window, "cmdClose");
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(stored(book, kind, "A1"),
             (QStringList{"A1", "Changed", "Street", longLine, "", "", ""}));
    book.prompts.verifyAllShown();
}

void TestCustomersVendors::findsByNumberAndName_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("message"); // when the record is gone by the time it is chosen
    auto row = [](const char* name, int which, bool byName, const char* entry, const char* number,
                  const char* prompt, const char* message = "") {
        QTest::newRow(name) << which << byName << QString(entry) << QString(number)
                            << QString(prompt) << QString(message);
    };
    row("customer by name with an apostrophe", 0, true, "O'Brien's Bakery", "C3",
        "Type Customer Name to find");
    row("customer by number", 0, false, "C2", "C2", "Type Customer Number to find");
    row("vendor by name", 1, true, "Smith", "C2", "Type Vendor Name to find");
    row("vendor by number with an apostrophe", 1, false, "D'4", "D'4",
        "Type Vendor Number to find");
    // Gone between listing and choosing: the last record is shown.
    row("customer gone", 0, true, "Adams", "D'4", "Type Customer Name to find",
        "Customer Adams was not found.");
}

void TestCustomersVendors::findsByNumberAndName() {
    QFETCH(int, which);
    QFETCH(bool, byName);
    QFETCH(QString, entry);
    QFETCH(QString, number);
    QFETCH(QString, prompt);
    QFETCH(QString, message);
    const PartyKind& kind = kindOf(which);
    TestBook book;
    // The first Smith in number order is found.
    store(book, kind,
          {{"C1", "Adams"},
           {"C2", "Smith"},
           {"C3", "O'Brien's Bakery"},
           {"C4", "Smith"},
           {"D'4", "Quote"}});
    PartyWindow window(book.services, kind);
    book.lookup.FindResult = QStringLiteral("stale");
    QString promptShown;
    chooseInFind(entry, &promptShown, [&] {
        if (!message.isEmpty())
            book.sql(QStringLiteral("DELETE FROM %1 WHERE %2 = 'C1'")
                         .arg(kind.table, kind.numberColumn()));
    });
    if (!message.isEmpty())
        book.prompts.expect(message);
    press(window, byName ? qPrintable(kind.findByNameButton) : qPrintable(kind.findByNumberButton));
    QCOMPARE(promptShown, prompt);
    QCOMPARE(window.field(0)->text(), number);
    QCOMPARE(book.lookup.FindResult, entry);
    book.prompts.verifyAllShown();
    if (!message.isEmpty())
        QCOMPARE(book.prompts.shown().at(0).icon, Prompts::Icon::Critical);
}

QTEST_MAIN(TestCustomersVendors)
#include "tst_customersvendors.moc"
