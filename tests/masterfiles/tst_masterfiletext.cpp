#include "masterfiles/masterfiletext.h"

#include <QTest>

// The cases the export and import tests through the windows do not reach.

using namespace MasterFileText;

Q_DECLARE_METATYPE(std::optional<QStringList>)

class TestMasterFileText : public QObject {
    Q_OBJECT
private slots:
    void exportLineFormat_data();
    void exportLineFormat();
    void splitLine_data();
    void splitLine();
    void splitLines_data();
    void splitLines();
    void decode_data();
    void decode();
};

void TestMasterFileText::exportLineFormat_data() {
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("line");
    QTest::newRow("null") << QVariantList{"C1", QVariant(), QVariant(QMetaType(QMetaType::QString))}
                          << "\"C1\",\"\",\"\"\r\n";
    QTest::newRow("tabs are not trimmed") << QVariantList{"\tA "} << "\"\tA\"\r\n";
}

void TestMasterFileText::exportLineFormat() {
    QFETCH(QVariantList, values);
    QFETCH(QString, line);
    QCOMPARE(exportLine(values), line);
}

void TestMasterFileText::splitLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("count");
    QTest::addColumn<std::optional<QStringList>>("values");
    using L = QStringList;
    QTest::newRow("unquoted last keeps quotes inside") << "a,x\"y\"" << 2 << std::optional(L{"a", "x\"y\""});
    QTest::newRow("quoted on one side only") << "\"abc,def" << 2 << std::optional(L{"\"abc", "def"});
    QTest::newRow("closing quote only") << "abc\",def\"" << 2 << std::optional(L{"abc\"", "def\""});
    QTest::newRow("lone quote kept") << "\",x" << 2 << std::optional(L{"\"", "x"});
    QTest::newRow("lone quote last") << "x,\"" << 2 << std::optional(L{"x", "\""});
    QTest::newRow("inner quotes not undoubled")
        << "\"a\"\"b\",\"say \"hi\"\"" << 2 << std::optional(L{"a\"\"b", "say \"hi\""});
    QTest::newRow("spaces kept") << " a , b " << 2 << std::optional(L{" a ", " b "});
    QTest::newRow("empty quoted values") << "\"\",\"\",\"\"" << 3 << std::optional(L{"", "", ""});
    QTest::newRow("too few when the comma is quoted") << "\"a,b\",c" << 3 << std::optional<L>();
    QTest::newRow("empty line") << "" << 3 << std::optional<L>();
    QTest::newRow("only commas") << ",," << 3 << std::optional(L{"", "", ""});
}

void TestMasterFileText::splitLine() {
    QFETCH(QString, line);
    QFETCH(int, count);
    QFETCH(std::optional<QStringList>, values);
    const std::optional<QStringList> actual = MasterFileText::splitLine(line, count);
    QCOMPARE(actual.has_value(), values.has_value());
    if (values)
        QCOMPARE(*actual, *values);
}

void TestMasterFileText::splitLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR only") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("empty line between") << "a\n\nb" << QStringList{"a", "", "b"};
    QTest::newRow("empty text") << "" << QStringList{};
}

void TestMasterFileText::splitLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(MasterFileText::splitLines(text), lines);
}

void TestMasterFileText::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("windows-1252 0x80-0x9f")
        << QByteArray("\x80 \x93q\x94 \x96 \x85 \x8a\x9a\x9f") << QString::fromUtf8("€ “q” – … ŠšŸ");
    QTest::newRow("windows-1252 undefined bytes") << QByteArray("a\x81\x8d\x8f\x90\x9d")
                                                  << QString::fromUtf16(u"a\u0081\u008d\u008f\u0090\u009d");
    QTest::newRow("one bad byte makes the whole file 1252")
        << QByteArray("Caf\xc3\xa9 \xe9") << QString::fromUtf8("CafÃ© é");
    QTest::newRow("truncated utf-8 sequence at the end") << QByteArray("ab\xc3") << QString::fromUtf8("abÃ");
}

void TestMasterFileText::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(MasterFileText::decode(bytes), text);
}

QTEST_GUILESS_MAIN(TestMasterFileText)
#include "tst_masterfiletext.moc"
