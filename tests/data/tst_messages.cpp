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
