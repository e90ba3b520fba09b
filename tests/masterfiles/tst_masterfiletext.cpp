#include "masterfiles/masterfiletext.h"

#include <QTest>

// The cutting and decoding cases the tests through the windows do not reach.

Q_DECLARE_METATYPE(std::optional<QStringList>)

class TestMasterFileText : public QObject {
    Q_OBJECT
private slots:
    void splitLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("count");
        QTest::addColumn<std::optional<QStringList>>("values");
        using L = QStringList;
        QTest::newRow("last keeps the rest")
            << "\"1\",\"2\",\"c\",\"d\"" << 3 << std::optional(L{"1", "2", "c\",\"d"});
        QTest::newRow("quoted comma stays") << "\"a,b\",c" << 2 << std::optional(L{"a,b", "c"});
        QTest::newRow("unquoted last keeps quotes inside")
            << "a,x\"y\"" << 2 << std::optional(L{"a", "x\"y\""});
        QTest::newRow("quoted on one side only")
            << "\"abc,def" << 2 << std::optional(L{"\"abc", "def"});
        QTest::newRow("closing quote only")
            << "abc\",def\"" << 2 << std::optional(L{"abc\"", "def\""});
        QTest::newRow("lone quote kept") << "\",x" << 2 << std::optional(L{"\"", "x"});
        QTest::newRow("lone quote last") << "x,\"" << 2 << std::optional(L{"x", "\""});
        QTest::newRow("inner quotes not undoubled")
            << "\"a\"\"b\",\"say \"hi\"\"" << 2 << std::optional(L{"a\"\"b", "say \"hi\""});
        QTest::newRow("spaces kept") << " a , b " << 2 << std::optional(L{" a ", " b "});
        QTest::newRow("empty quoted values")
            << "\"\",\"\",\"\"" << 3 << std::optional(L{"", "", ""});
        QTest::newRow("only commas") << ",," << 3 << std::optional(L{"", "", ""});
        QTest::newRow("too few when the comma is quoted") << "\"a,b\",c" << 3 << std::optional<L>();
        QTest::newRow("empty line") << "" << 3 << std::optional<L>();
    }
    void splitLine() {
        QFETCH(QString, line);
        QFETCH(int, count);
        QFETCH(std::optional<QStringList>, values);
        QCOMPARE(MasterFileText::splitLine(line, count), values);
    }

    // A file's bytes to its lines, as the import reads them.
    void lines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("LF only, empty line kept")
            << QByteArray("a\n\nb") << QStringList{"a", "", "b"};
        QTest::newRow("empty") << QByteArray() << QStringList{};
        QTest::newRow("utf-8, byte-order mark dropped") << QByteArray("\xef\xbb\xbf"
                                                                      "Caf\xc3\xa9\r\n")
                                                        << QStringList{"Café"};
        QTest::newRow("windows-1252")
            << QByteArray("Caf\xe9 M\xfcller \x80 \x93q\x94 \x96 \x85 \x8a\x9a\x9f")
            << QStringList{"Café Müller € “q” – … ŠšŸ"};
        QTest::newRow("windows-1252 undefined bytes")
            << QByteArray("a\x81\x8d\x8f\x90\x9d")
            << QStringList{QString::fromUtf16(u"a\u0081\u008d\u008f\u0090\u009d")};
        QTest::newRow("one bad byte makes the whole file 1252")
            << QByteArray("Caf\xc3\xa9 \xe9") << QStringList{"CafÃ© é"};
        QTest::newRow("truncated utf-8 sequence at the end")
            << QByteArray("ab\xc3") << QStringList{"abÃ"};
    }
    void lines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(MasterFileText::splitLines(MasterFileText::decode(bytes)), lines);
    }
};

QTEST_GUILESS_MAIN(TestMasterFileText)
#include "tst_masterfiletext.moc"
