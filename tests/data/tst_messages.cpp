// The catalogue's texts, pinned: a text the user reads changes only on purpose. Every other
// test names the catalogue's function instead of copying its text.
#include "data/messages.h"

#include <QTest>
#include <functional>

class TestMessages : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
};

void TestMessages::texts_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    // ---- amounts
    QTest::newRow("amountOutOfRange")
        << Messages::amountOutOfRange()
        << "Amounts must lie between -$999,999,999,999.99 and $999,999,999,999.99.";
    // ---- book
    QTest::newRow("missingBook")
        << Messages::missingBook("/opt/quillan")
        << "The Cashbook.mdb file is not in the \r\napplication directory of /opt/quillan.\r\n\r\n"
           "In order to continue, you must copy it\r\ninto the directory.";
    QTest::newRow("notABook") << Messages::notABook("/b/cashbook.mdb")
                              << "The file /b/cashbook.mdb is not a Quillan book.\r\n\r\nIt was "
                                 "left as it is.";
    QTest::newRow("newerBook") << Messages::newerBook("/b/cashbook.mdb")
                               << "The book /b/cashbook.mdb was made by a newer version of Quillan "
                                  "and cannot be opened by this one.\r\n\r\nIt was left as it is.";
    QTest::newRow("upgradeFailed")
        << Messages::upgradeFailed("/b/cashbook.mdb", "disk full")
        << "The book /b/cashbook.mdb could not be brought up to date for this version of Quillan, "
           "so it was left exactly as it was.\r\n\r\ndisk full";
    QTest::newRow("bookUpgraded")
        << Messages::bookUpgraded("/b/cashbook.before-format-1.mdb")
        << "The book was brought up to date for this version of Quillan. A copy of it as it was "
           "before is kept as /b/cashbook.before-format-1.mdb.";
    QTest::newRow("mergeAccounts")
        << Messages::mergeAccounts({"1000", "6100"})
        << "These accounts are held twice in the chart of accounts, once with no department and "
           "once with a blank one: 1000, 6100.\r\n\r\nEntries now use the one with no department. "
           "In the Chart of Accounts, keep the right description on it and delete the other.";
    // ---- entry
    // ---- masters
    // ---- master files
    // ---- setup
    // ---- shell
}

void TestMessages::texts() {
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
