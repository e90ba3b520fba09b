// The customers and vendors windows, driven as a user drives them.

#include "support/testbook.h"
#include "support/windowdriving.h"

#include "data/messages.h"
#include "data/recordnavigator.h"
#include "masters/lookups.h"
#include "masters/partykind.h"
#include "masters/partywindow.h"
#include "shell/navigatorbar.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QtTest>

namespace {

const QString kDuplicate =
    QStringLiteral("^The changes you requested to the table were not successful");

const PartyKind& kindOf(int which) {
    return which == 0 ? PartyKind::customers() : PartyKind::vendors();
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

QString caption(PartyWindow& window) {
    return window.navigatorBar()->caption();
}

QStringList shown(PartyWindow& window) {
    QStringList texts;
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        texts << window.field(i)->text();
    return texts;
}

void expectText(TestBook& book, const QString& message) {
    if (message.startsWith(QLatin1Char('^')))
        book.prompts.expectMatch(message);
    else
        book.prompts.expect(message);
}

} // namespace

class TestCustomersVendors : public QObject {
    Q_OBJECT

private slots:
    void saveRefusals_data();
    void saveRefusals();
    void saveWritesTheRecord();
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

void TestCustomersVendors::saveRefusals_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("focus");
    const QString notSaved = Messages::notValidatedNotSaved();
    QTest::newRow("customer, both empty")
        << 0 << ""
        << "" << QStringList{Messages::partyNumberRequired("Customer"), notSaved} << 0;
    QTest::newRow("vendor, name empty")
        << 1 << "V1"
        << "" << QStringList{Messages::partyNameRequired("Vendor"), notSaved} << 1;
    // A number the book holds, compared ignoring case, is refused with the book's words.
    QTest::newRow("customer, number held") << 0 << "a1"
                                           << "New" << QStringList{kDuplicate} << 0;
}

void TestCustomersVendors::saveRefusals() {
    QFETCH(int, which);
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    QFETCH(int, focus);
    const PartyKind& kind = kindOf(which);
    TestBook book;
    store(book, kind, {{"A1", "First"}});
    PartyWindow window(book.services, kind);
    QVERIFY(showActive(&window));
    press(window, "cmdAdd");
    type(window.field(0), number);
    type(window.field(1), name);
    type(window.field(2), QStringLiteral("1 High Street"));
    for (const QString& message : messages)
        expectText(book, message);
    press(window, "cmdUpdate");
    book.prompts.verifyAllShown();
    QCOMPARE(book.prompts.shown().at(0).icon, Prompts::Icon::Critical);
    QCOMPARE(QApplication::focusWidget(), window.field(focus));
    QCOMPARE(rows(book, kind), 1);
    QCOMPARE(stored(book, kind, "A1").value(1), QStringLiteral("First"));
    // The typed record is still there to be completed.
    QCOMPARE(window.field(2)->text(), QStringLiteral("1 High Street"));
    QVERIFY(window.records().isAdding());
}

void TestCustomersVendors::saveWritesTheRecord() {
    const PartyKind& kind = PartyKind::vendors();
    TestBook book;
    {
        // Empty: nothing to save or delete.
        PartyWindow empty(book.services, kind);
        book.prompts.expect(Messages::noRecordToSave()).expect(Messages::noRecordsToDelete());
        press(empty, "cmdUpdate");
        press(empty, "cmdDelete");
    }
    store(book, kind, {{"M1", "Middle"}, {"Z9", "Last"}});
    PartyWindow window(book.services, kind);
    press(window, "cmdAdd");
    QCOMPARE(caption(window), QStringLiteral("Vendor: 3 of 3"));
    // Each field takes only as many characters as its column holds; nothing is upper-cased.
    const QStringList typed{"a01bcde",
                            "O'Brien & Sons, Shipwrights and Chandlers",
                            "Unit 2",
                            "Dock Road",
                            "",
                            "Harbourside",
                            "HB1 2XY 1234567890"};
    const QStringList values{"a01bcd",
                             "O'Brien & Sons, Shipwrights an",
                             "Unit 2",
                             "Dock Road",
                             "",
                             "Harbourside",
                             "HB1 2XY 1234567"};
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        type(window.field(i), typed.at(i));
    book.prompts.expect(Messages::recordSaved());
    press(window, "cmdUpdate");
    QCOMPARE(stored(book, kind, "a01bcd"), values);
    // The saved record stays on screen, at its place in number order.
    QCOMPARE(shown(window), values);
    QCOMPARE(caption(window), QStringLiteral("Vendor: 1 of 3"));
    // Changing one field writes only that field.
    book.sql(QStringLiteral("UPDATE tblVendors SET Address3 = NULL"));
    type(window.field(6), QStringLiteral("HB9 9ZZ"));
    book.prompts.expect(Messages::recordSaved());
    press(window, "cmdUpdate");
    QCOMPARE(stored(book, kind, "a01bcd").value(6), QStringLiteral("HB9 9ZZ"));
    QVERIFY(book.value(QStringLiteral("SELECT Address3 FROM tblVendors WHERE VendorID = 'a01bcd'"))
                .isNull());
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
    row("emptied name refused", 0, "", "-", Messages::partyNameRequired("Customer"));
    row("emptied number refused", 1, "-", "", Messages::partyNumberRequired("Vendor"));
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
    if (message.isEmpty()) {
        press(*window.navigatorBar(), "navNext");
        QCOMPARE(stored(book, kind, "A1").value(1), QStringLiteral("Renamed"));
        QCOMPARE(window.field(0)->text(), QStringLiteral("B2"));
    } else {
        // Neither Next nor Last moves; nothing is written and the edits stay on screen.
        for (const char* move : {"navNext", "navLast"}) {
            expectText(book, message);
            press(*window.navigatorBar(), move);
            QCOMPARE(caption(window), kind.noun + QStringLiteral(": 1 of 3"));
            QCOMPARE(shown(window), edited);
        }
        QCOMPARE(stored(book, kind, "A1").value(1), QStringLiteral("First"));
        QCOMPARE(rows(book, kind), 3);
    }
    book.prompts.verifyAllShown();
}

void TestCustomersVendors::deletePositions_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<int>("moves"); // Next presses before deleting
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<QString>("captionAfter");
    QTest::newRow("first of three: second of the re-read list")
        << 0 << QStringList{"A", "B", "C"} << 0 << "C"
        << "Customer: 2 of 2";
    QTest::newRow("last of two: the only one") << 0 << QStringList{"A", "B"} << 1 << "A"
                                               << "Customer: 1 of 1";
    QTest::newRow("the only one") << 1 << QStringList{"A"} << 0 << ""
                                  << "Vendor: 0";
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
        press(*window.navigatorBar(), "navNext");
    const QString victim = window.field(0)->text();
    book.prompts.expect(Messages::confirmDelete(), Prompts::Answer::No)
        .expect(Messages::confirmDelete(), Prompts::Answer::Yes);
    press(window, "cmdDelete");
    QCOMPARE(book.prompts.shown().at(0).defaultButton, Prompts::Answer::No);
    QCOMPARE(rows(book, kind), numbers.size());
    press(window, "cmdDelete");
    QVERIFY(stored(book, kind, victim).isEmpty());
    QCOMPARE(window.field(0)->text(), shownAfter);
    QCOMPARE(caption(window), captionAfter);
    book.prompts.verifyAllShown();
}

void TestCustomersVendors::lookupTransfer_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("target"); // field double-clicked; Enter in it + 10, keypad + 20
    QTest::newRow("vendor, double-click postal code") << 1 << 6;
    QTest::newRow("customer, Return in the number") << 0 << 10;
    QTest::newRow("vendor, keypad Enter in the name") << 1 << 21;
    QTest::newRow("customers, Close") << 0 << -1;
    QTest::newRow("vendors, close box") << 1 << -2;
}

void TestCustomersVendors::lookupTransfer() {
    QFETCH(int, which);
    QFETCH(int, target);
    const PartyKind& kind = kindOf(which);
    TestBook book;
    const QStringList second{"P2", "Pens Ltd", "2 Ink Street", "Suite 4", "", "", "IN2 2BB"};
    store(book, kind, {{"P1", "Paper Mill", "1 Mill Lane"}, second});
    // A caller's earlier choice must be fully replaced, also by empty texts.
    for (int i = 1; i <= 7; ++i)
        book.lookup.value(i) = QStringLiteral("old");
    book.busy.set();
    whenModal([target](QDialog* modal) {
        auto* window = qobject_cast<PartyWindow*>(modal);
        QVERIFY(window);
        press(*window->navigatorBar(), "navNext");
        if (target == -1) {
            press(window, "cmdClose");
        } else if (target == -2) {
            window->close();
        } else if (target >= 10) {
            QLineEdit* field = window->field(target % 10);
            field->setFocus();
            if (target >= 20)
                QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
            else
                QTest::keyClick(field, Qt::Key_Return);
        } else {
            QTest::mouseDClick(window->field(target), Qt::LeftButton, {}, QPoint(3, 3));
        }
    });
    const bool chosen =
        which == 0 ? lookupCustomer(book.services, nullptr) : lookupVendor(book.services, nullptr);
    QCOMPARE(chosen, target >= 0);
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        QCOMPARE(book.lookup.value(i + 1), chosen ? second.at(i) : QString());
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
    QVERIFY(showActive(&window));
    QCOMPARE(window.field(3)->text(), longLine);
    // Opened for upkeep rather than to choose, Enter hands nothing over.
    QTest::keyClick(window.field(0), Qt::Key_Return);
    QVERIFY(window.isVisible());
    QVERIFY(book.lookup.LookupValue1.isEmpty());
    // Esc puts the stored values back; without edits, it closes the window.
    type(window.field(2), QStringLiteral("Other street"));
    QTest::keyClick(window.field(2), Qt::Key_Escape);
    QCOMPARE(window.field(2)->text(), QStringLiteral("Street"));
    QTest::keyClick(window.field(2), Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    // Invalid edits keep the window open with them; valid ones are written as it closes.
    window.show();
    type(window.field(1), QString());
    book.prompts.expect(Messages::partyNameRequired(kind.noun));
    press(window, "cmdClose");
    QVERIFY(window.isVisible());
    type(window.field(1), QStringLiteral("Changed"));
    press(window, "cmdClose");
    QVERIFY(!window.isVisible());
    QCOMPARE(stored(book, kind, "A1"),
             (QStringList{"A1", "Changed", "Street", longLine, "", "", ""}));
    book.prompts.verifyAllShown();
}

void TestCustomersVendors::findsByNumberAndName_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("gone"); // the record is deleted before it is chosen
    QTest::newRow("customer by name with an apostrophe") << 0 << true << "O'Brien's Bakery"
                                                         << "C3" << false;
    QTest::newRow("customer by number") << 0 << false << "C2"
                                        << "C2" << false;
    // The first Smith in number order is found.
    QTest::newRow("vendor by name") << 1 << true << "Smith"
                                    << "C2" << false;
    QTest::newRow("vendor by number with an apostrophe") << 1 << false << "D'4"
                                                         << "D'4" << false;
    // Gone between listing and choosing: the last record is shown.
    QTest::newRow("customer gone") << 0 << true << "Adams"
                                   << "D'4" << true;
}

void TestCustomersVendors::findsByNumberAndName() {
    QFETCH(int, which);
    QFETCH(bool, byName);
    QFETCH(QString, entry);
    QFETCH(QString, number);
    QFETCH(bool, gone);
    const PartyKind& kind = kindOf(which);
    TestBook book;
    store(book, kind,
          {{"C1", "Adams"},
           {"C2", "Smith"},
           {"C3", "O'Brien's Bakery"},
           {"C4", "Smith"},
           {"D'4", "Quote"}});
    PartyWindow window(book.services, kind);
    QVERIFY(showActive(&window));
    whenModal([&](QDialog* dialog) {
        auto* list = child<QListView>(dialog, QStringLiteral("List1"));
        const QModelIndexList found = list->model()->match(
            list->model()->index(0, 0), Qt::DisplayRole, entry, 1, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(entry));
        if (gone)
            book.sql(QStringLiteral("DELETE FROM %1 WHERE %2 = 'C1'")
                         .arg(kind.table, kind.numberColumn()));
        list->setCurrentIndex(found.first());
        QTest::keyClick(list, Qt::Key_Return);
    });
    if (gone)
        book.prompts.expect(Messages::notFound(kind.noun + QLatin1Char(' '), entry));
    press(window, qPrintable(byName ? kind.findByNameButton : kind.findByNumberButton));
    QCOMPARE(window.field(0)->text(), number);
    QCOMPARE(book.lookup.FindResult, entry);
    // The window is active again with the keys in the field searched by.
    QTRY_COMPARE(QApplication::activeWindow(), &window);
    QCOMPARE(QApplication::focusWidget(), window.field(byName ? 1 : 0));
    book.prompts.verifyAllShown();
}

QTEST_MAIN(TestCustomersVendors)
#include "tst_customersvendors.moc"
