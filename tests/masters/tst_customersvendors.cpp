// The customers and vendors windows, driven as a user drives them; the two are one window
// class, so each case runs for one kind. Their lookups and finds are tested with the others.

#include "masterstesting.h"
#include "support/datarows.h"
#include "support/testbook.h"

#include "data/messages.h"
#include "data/recordnavigator.h"
#include "kit/navigatorbar.h"
#include "masters/partykind.h"
#include "masters/partywindow.h"

#include <QApplication>
#include <QLineEdit>
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
    void store(const QList<QStringList>& records) { storeParties(book, kind, records); }
    QStringList stored(const QString& number) {
        const QStringList rows =
            book.rows(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                          .arg(kind.columnList(), kind.table, kind.numberColumn()),
                      {number});
        return rows.isEmpty() ? QStringList() : rows.first().split(QLatin1Char('|'));
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
    void refusals_data() {
        // adding: a new record saved, or the first one changed and left
        // number: typed over the number; null leaves it
        // focus: the field given the keys, -1 when not checked
        columns<int, bool, QString, QString, QStringList, int>("which", "adding", "number", "name",
                                                               "messages", "focus");
        auto row = [](const char* name, int which, bool adding, const char* number,
                      const char* typedName, const QStringList& messages, int focus) {
            QTest::newRow(name) << which << adding << QString::fromLatin1(number)
                                << QString::fromLatin1(typedName) << messages << focus;
        };
        const QString notSaved = Messages::notValidatedNotSaved();
        row("adding, both empty", 0, true, "", "",
            {Messages::partyNumberRequired("Customer"), notSaved}, 0);
        row("adding, name empty", 1, true, "V1", "",
            {Messages::partyNameRequired("Vendor"), notSaved}, 1);
        // A number the book holds, compared ignoring case, is refused with the book's words.
        row("adding, number held", 0, true, "b2", "New", {kDuplicate}, 0);
        row("name emptied", 0, false, nullptr, "", {Messages::partyNameRequired("Customer")}, -1);
        row("number emptied", 1, false, "", nullptr, {Messages::partyNumberRequired("Vendor")}, -1);
        row("number of another record", 1, false, "B2", nullptr, {kDuplicate}, -1);
    }

    void refusals() {
        auto [which, adding, number, name, messages, focus] =
            fetch<int, bool, QString, QString, QStringList, int>("which", "adding", "number",
                                                                 "name", "messages", "focus");
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
                p.book.prompts.expectBox(message);
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

    void writesAndDeletes() {
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
        const QStringList typed =
            QString("a01bcde|O'Brien & Sons, Shipwrights and Chandlers|Unit 2|"
                    "Dock Road||Harbourside|HB1 2XY 1234567890")
                .split('|');
        const QStringList values = QString("a01bcd|O'Brien & Sons, Shipwrights an|Unit 2|Dock "
                                           "Road||Harbourside|HB1 2XY 1234567")
                                       .split('|');
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

    void closingAndEscape() {
        // An imported record may hold more than a field accepts; showing it must not cut it.
        const QString longLine = QStringLiteral("An imported line of forty characters xxx");
        Parties p(0, {{"A1", "First", "Street", longLine}});
        PartyWindow& window = p.open();
        QCOMPARE(window.field(3)->text(), longLine);
        // Opened for upkeep rather than to choose, Enter hands nothing over.
        QTest::keyClick(window.field(0), Qt::Key_Return);
        QVERIFY(window.isVisible());
        QVERIFY(!window.chosen());
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
};

QTEST_MAIN(TestCustomersVendors)
#include "tst_customersvendors.moc"
