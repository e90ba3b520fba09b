#include "data/masterfiletext.h"
#include "masterfiles/masterfilereader.h"
#include "support/datarows.h"

#include <QTemporaryFile>

#include <QTest>

// The cutting and decoding cases the tests through the windows do not reach.

Q_DECLARE_METATYPE(std::optional<QStringList>)

class TestMasterFileText : public QObject {
    Q_OBJECT
private slots:
    void splitLine_data();
    void splitLine() {
        auto [line, count, values] =
            fetch<QString, int, std::optional<QStringList>>("line", "count", "values");
        QCOMPARE(MasterFileText::splitLine(line, count), values);
    }

    // A file's bytes to its lines, as the import reads them.
    void lines_data() {
        columns<QByteArray, QStringList>("bytes", "lines");
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
        QTest::newRow("byte-order mark alone") << QByteArray("\xef\xbb\xbf") << QStringList{};
        QTest::newRow("byte-order mark inside kept")
            << QByteArray("a\n\xef\xbb\xbf"
                          "b")
            << QStringList{"a", QString(QChar(0xFEFF)) + QStringLiteral("b")};
        // The file is read in chunks of 64 KiB: endings and sequences across their edges.
        const QByteArray edge(65535, 'x');
        QTest::newRow("CR LF across a chunk edge") << edge + "\r\nb\r\n"
                                                   << QStringList{QString(edge), "b"};
        QTest::newRow("CR CR at a chunk edge") << edge + "\r\r" << QStringList{QString(edge), ""};
        QTest::newRow("utf-8 sequence across a chunk edge")
            << edge + "\xc3\xa9" << QStringList{QString(edge) + QStringLiteral("é")};
    }
    // The whole file decoded and cut, and the file read a line at a time, agree.
    void lines() {
        auto [bytes, lines] = fetch<QByteArray, QStringList>("bytes", "lines");
        QCOMPARE(MasterFileText::splitLines(MasterFileText::decode(bytes)), lines);
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(bytes);
        file.close();
        MasterFileReader reader(file.fileName());
        QStringList read;
        while (const std::optional<QString> line = reader.next())
            read << *line;
        QCOMPARE(read, lines);
        QCOMPARE(reader.lineCount(), lines.size());
    }
};

void TestMasterFileText::splitLine_data() {
    // values: none: too few values
    columns<QString, int, std::optional<QStringList>>("line", "count", "values");
    auto row = [](const char* name, const char* line, int count,
                  std::optional<QStringList> values) {
        QTest::newRow(name) << QString::fromUtf8(line) << count << values;
    };
    row("last keeps the rest", R"("1","2","c","d")", 3, QStringList{"1", "2", R"(c","d)"});
    row("quoted comma stays", R"("a,b",c)", 2, QStringList{"a,b", "c"});
    row("unquoted last keeps quotes inside", R"(a,x"y")", 2, QStringList{"a", R"(x"y")"});
    row("quoted on one side only", R"("abc,def)", 2, QStringList{"\"abc", "def"});
    row("closing quote only", R"(abc",def")", 2, QStringList{"abc\"", "def\""});
    row("lone quote kept", R"(",x)", 2, QStringList{"\"", "x"});
    row("lone quote last", R"(x,")", 2, QStringList{"x", "\""});
    row("inner quotes not undoubled", R"("a""b","say "hi"")", 2,
        QStringList{R"(a""b)", R"(say "hi")"});
    row("spaces kept", " a , b ", 2, QStringList{" a ", " b "});
    row("empty quoted values", R"("","","")", 3, QStringList{"", "", ""});
    row("only commas", ",,", 3, QStringList{"", "", ""});
    row("too few when the comma is quoted", R"("a,b",c)", 3, std::nullopt);
    row("empty line", "", 3, std::nullopt);
}

QTEST_GUILESS_MAIN(TestMasterFileText)
#include "tst_masterfiletext.moc"
