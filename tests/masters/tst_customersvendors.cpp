// The customers and vendors windows, driven as a user drives them; each case runs for the
// kind whose window shows it, the two windows being one.

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
#include <optional>

namespace {

const QString kDuplicate =
    QStringLiteral("^The changes you requested to the table were not successful");

// A book holding records of one kind (0 customers, 1 vendors), and that kind's window.
struct Parties {
    explicit Parties(int which, const QList<QStringList>& records = {})
        : kind(which == 0 ? PartyKind::customers() : PartyKind::vendors()) {
        store(records);
    }
    // Records given as number, name and the rest of the seven fields, empty when not given.
    void store(const QList<QStringList>& records) {
        for (const QStringList& values : records) {
            QVariantList binds;
            for (int i = 0; i < PartyKind::FieldCount; ++i)
                binds << values.value(i);
            book.sql(QStringLiteral("INSERT INTO %1 (%2) VALUES (?,?,?,?,?,?,?)")
                         .arg(kind.table, kind.columnList()),
                     binds);
        }
    }
    QStringList stored(const QString& number) {
        QSqlQuery query = book.db.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                           .arg(kind.columnList(), kind.table, kind.numberColumn()),
                                       {number});
        QStringList values;
        if (query.next())
            for (int i = 0; i < PartyKind::FieldCount; ++i)
                values << query.value(i).toString();
        return values;
    }
    int count() { return book.value(QStringLiteral("SELECT COUNT(*) FROM ") + kind.table).toInt(); }
    PartyWindow& open() {
        window.emplace(book.services, kind);
        showActive(&*window);
        return *window;
    }
    TestBook book;
    const PartyKind& kind;
    std::optional<PartyWindow> window;
};

void type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

QStringList shown(PartyWindow& window) {
    QStringList texts;
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        texts << window.field(i)->text();
    return texts;
}

QString caption(PartyWindow& window) {
    return window.navigatorBar()->caption();
}

} // namespace

class TestCustomersVendors : public QObject {
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void writesAndDeletes();
    void lookupTransfer_data();
    void lookupTransfer();
    void closingAndEscape();
    void findsByNumberAndName_data();
    void findsByNumberAndName();
};

void TestCustomersVendors::refusals_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<bool>("adding");    // a new record saved, or the first one changed and left
    QTest::addColumn<QString>("number"); // typed over the number; null leaves it
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("focus"); // the field given the keys, -1 when not checked
    auto row = [](const char* name, int which, bool adding, const char* number,
                  const char* typedName, const QStringList& messages, int focus) {
        QTest::newRow(name) << which << adding << QString::fromLatin1(number)
                            << QString::fromLatin1(typedName) << messages << focus;
    };
    const QString notSaved = Messages::notValidatedNotSaved();
    row("adding, both empty", 0, true, "", "",
        {Messages::partyNumberRequired("Customer"), notSaved}, 0);
    row("adding, name empty", 1, true, "V1", "", {Messages::partyNameRequired("Vendor"), notSaved},
        1);
    // A number the book holds, compared ignoring case, is refused with the book's words.
    row("adding, number held", 0, true, "b2", "New", {kDuplicate}, 0);
    row("name emptied", 0, false, nullptr, "", {Messages::partyNameRequired("Customer")}, -1);
    row("number emptied", 1, false, "", nullptr, {Messages::partyNumberRequired("Vendor")}, -1);
    row("number of another record", 1, false, "B2", nullptr, {kDuplicate}, -1);
}

void TestCustomersVendors::refusals() {
    QFETCH(int, which);
    QFETCH(bool, adding);
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    QFETCH(int, focus);
    Parties p(which, {{"A1", "First"}, {"B2", "Second"}, {"C3", "Third"}});
    PartyWindow& window = p.open();
    if (adding)
        press(window, "cmdAdd");
    if (!number.isNull())
        type(window.field(0), number);
    if (!name.isNull())
        type(window.field(1), name);
    type(window.field(2), QStringLiteral("1 High Street"));
    const QStringList edited = shown(window);
    const QString at = caption(window);
    // Save refuses a new record; neither Next nor Last moves off a changed one.
    for (const char* how :
         adding ? QList<const char*>{"cmdUpdate"} : QList<const char*>{"navNext", "navLast"}) {
        for (const QString& message : messages)
            message.startsWith('^') ? p.book.prompts.expectMatch(message)
                                    : p.book.prompts.expect(message);
        press(window, how);
        QVERIFY(p.book.prompts.verifyAllShown());
        // Nothing is written; the typed record stays on screen to be completed.
        QCOMPARE(caption(window), at);
        QCOMPARE(shown(window), edited);
    }
    QCOMPARE(p.book.prompts.shown().at(0).icon, Prompts::Icon::Critical);
    if (focus >= 0)
        QCOMPARE(QApplication::focusWidget(), window.field(focus));
    QCOMPARE(p.count(), 3);
    QCOMPARE(p.stored("A1").value(1), QStringLiteral("First"));
    QCOMPARE(window.records().isAdding(), adding);
}

void TestCustomersVendors::writesAndDeletes() {
    Parties p(1);
    {
        // Empty: nothing to save or delete.
        PartyWindow empty(p.book.services, p.kind);
        p.book.prompts.expect(Messages::noRecordToSave()).expect(Messages::noRecordsToDelete());
        press(empty, "cmdUpdate");
        press(empty, "cmdDelete");
    }
    p.store({{"M1", "Middle"}, {"Z9", "Last"}});
    PartyWindow& window = p.open();
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
    p.book.prompts.expect(Messages::recordSaved());
    press(window, "cmdUpdate");
    QCOMPARE(p.stored("a01bcd"), values);
    // The saved record stays on screen, at its place in number order.
    QCOMPARE(shown(window), values);
    QCOMPARE(caption(window), QStringLiteral("Vendor: 1 of 3"));
    // Moving off a changed record writes it, and only the field changed.
    p.book.sql(QStringLiteral("UPDATE tblVendors SET Address3 = NULL"));
    type(window.field(6), QStringLiteral("HB9 9ZZ"));
    press(window, "navNext");
    QCOMPARE(window.field(0)->text(), QStringLiteral("M1"));
    QCOMPARE(p.stored("a01bcd").value(6), QStringLiteral("HB9 9ZZ"));
    QVERIFY(p.book.value("SELECT Address3 FROM tblVendors WHERE VendorID = 'a01bcd'").isNull());
    // Delete asks first, No being the default; then the list is read again and its second
    // record shown.
    press(window, "navFirst");
    p.book.prompts.expect(Messages::confirmDelete(), Prompts::Answer::No)
        .expect(Messages::confirmDelete(), Prompts::Answer::Yes);
    press(window, "cmdDelete");
    QCOMPARE(p.book.prompts.shown().last().defaultButton, Prompts::Answer::No);
    QCOMPARE(p.count(), 3);
    press(window, "cmdDelete");
    QVERIFY(p.stored("a01bcd").isEmpty());
    QCOMPARE(window.field(0)->text(), QStringLiteral("Z9"));
    QCOMPARE(caption(window), QStringLiteral("Vendor: 2 of 2"));
    p.book.prompts.verifyAllShown();
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
    const QStringList second{"P2", "Pens Ltd", "2 Ink Street", "Suite 4", "", "", "IN2 2BB"};
    Parties p(which, {{"P1", "Paper Mill", "1 Mill Lane"}, second});
    // A caller's earlier choice must be fully replaced, also by empty texts.
    for (int i = 1; i <= 7; ++i)
        p.book.lookup.value(i) = QStringLiteral("old");
    p.book.busy.set();
    whenModal([target](QDialog* modal) {
        auto* window = qobject_cast<PartyWindow*>(modal);
        QVERIFY(window);
        press(window, "navNext");
        if (target == -1) {
            press(window, "cmdClose");
        } else if (target == -2) {
            window->close();
        } else if (target >= 10) {
            QLineEdit* field = window->field(target % 10);
            field->setFocus();
            QTest::keyClick(field, target >= 20 ? Qt::Key_Enter : Qt::Key_Return,
                            target >= 20 ? Qt::KeypadModifier : Qt::NoModifier);
        } else {
            QTest::mouseDClick(window->field(target), Qt::LeftButton, {}, QPoint(3, 3));
        }
    });
    const bool chosen = which == 0 ? lookupCustomer(p.book.services, nullptr)
                                   : lookupVendor(p.book.services, nullptr);
    QCOMPARE(chosen, target >= 0);
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        QCOMPARE(p.book.lookup.value(i + 1), chosen ? second.at(i) : QString());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!p.book.busy.isBusy());
    p.book.prompts.verifyAllShown();
}

void TestCustomersVendors::closingAndEscape() {
    // An imported record may hold more than a field accepts; showing it must not cut it.
    const QString longLine = QStringLiteral("An imported line of forty characters xxx");
    Parties p(0, {{"A1", "First", "Street", longLine}});
    PartyWindow& window = p.open();
    QCOMPARE(window.field(3)->text(), longLine);
    // Opened for upkeep rather than to choose, Enter hands nothing over.
    QTest::keyClick(window.field(0), Qt::Key_Return);
    QVERIFY(window.isVisible());
    QVERIFY(p.book.lookup.LookupValue1.isEmpty());
    // Esc puts the stored values back; without edits, it closes the window.
    type(window.field(2), QStringLiteral("Other street"));
    QTest::keyClick(window.field(2), Qt::Key_Escape);
    QCOMPARE(window.field(2)->text(), QStringLiteral("Street"));
    QTest::keyClick(window.field(2), Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    // Invalid edits keep the window open with them; valid ones are written as it closes.
    window.show();
    type(window.field(1), QString());
    p.book.prompts.expect(Messages::partyNameRequired(p.kind.noun));
    press(window, "cmdClose");
    QVERIFY(window.isVisible());
    type(window.field(1), QStringLiteral("Changed"));
    press(window, "cmdClose");
    QVERIFY(!window.isVisible());
    QCOMPARE(p.stored("A1"), (QStringList{"A1", "Changed", "Street", longLine, "", "", ""}));
    p.book.prompts.verifyAllShown();
}

void TestCustomersVendors::findsByNumberAndName_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("gone"); // the record is deleted before it is chosen
    QTest::newRow("customer by name, apostrophe") << 0 << true << "O'Brien's"
                                                  << "C3" << false;
    // The first Smith in number order is found.
    QTest::newRow("vendor by name") << 1 << true << "Smith"
                                    << "C2" << false;
    QTest::newRow("vendor by number, apostrophe") << 1 << false << "D'4"
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
    Parties p(
        which,
        {{"C1", "Adams"}, {"C2", "Smith"}, {"C3", "O'Brien's"}, {"C4", "Smith"}, {"D'4", "Quote"}});
    PartyWindow& window = p.open();
    whenModal([&](QDialog* dialog) {
        auto* list = child<QListView>(dialog, QStringLiteral("List1"));
        const QModelIndexList found = list->model()->match(
            list->model()->index(0, 0), Qt::DisplayRole, entry, 1, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(entry));
        if (gone)
            p.book.sql(QStringLiteral("DELETE FROM %1 WHERE %2 = 'C1'")
                           .arg(p.kind.table, p.kind.numberColumn()));
        list->setCurrentIndex(found.first());
        QTest::keyClick(list, Qt::Key_Return);
    });
    if (gone)
        p.book.prompts.expect(Messages::notFound(p.kind.noun + QLatin1Char(' '), entry));
    press(window, qPrintable(byName ? p.kind.findByNameButton : p.kind.findByNumberButton));
    QCOMPARE(window.field(0)->text(), number);
    QCOMPARE(p.book.lookup.FindResult, entry);
    // The window is active again with the keys in the field searched by.
    QTRY_COMPARE(QApplication::activeWindow(), &window);
    QCOMPARE(QApplication::focusWidget(), window.field(byName ? 1 : 0));
    p.book.prompts.verifyAllShown();
}

QTEST_MAIN(TestCustomersVendors)
#include "tst_customersvendors.moc"
