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
        using L = QStringList;
        addRow("CR only", QByteArray("a\rb\r"), L{"a", "b"});
        addRow("LF only, empty line kept", QByteArray("a\n\nb"), L{"a", "", "b"});
        addRow("empty", QByteArray(), L{});
        addRow("utf-8, byte-order mark dropped",
               QByteArray("\xef\xbb\xbf"
                          "Caf\xc3\xa9\r\n"),
               L{"Café"});
        addRow("windows-1252",
               QByteArray("Caf\xe9 M\xfcller \x80 \x93q\x94 \x96 \x85 \x8a\x9a\x9f"),
               L{"Café Müller € “q” – … ŠšŸ"});
        addRow("windows-1252 undefined bytes", QByteArray("a\x81\x8d\x8f\x90\x9d"),
               L{QString::fromUtf16(u"a\u0081\u008d\u008f\u0090\u009d")});
        addRow("one bad byte makes the whole file 1252", QByteArray("Caf\xc3\xa9 \xe9"),
               L{"CafÃ© é"});
        addRow("truncated utf-8 sequence at the end", QByteArray("ab\xc3"), L{"abÃ"});
        addRow("byte-order mark alone", QByteArray("\xef\xbb\xbf"), L{});
        addRow("byte-order mark inside kept",
               QByteArray("a\n\xef\xbb\xbf"
                          "b"),
               L{"a", QString(QChar(0xFEFF)) + QStringLiteral("b")});
        // The file is read in chunks of 64 KiB: endings and sequences across their edges.
        const QByteArray edge(65535, 'x');
        addRow("CR LF across a chunk edge", edge + "\r\nb\r\n", L{QString(edge), "b"});
        addRow("CR CR at a chunk edge", edge + "\r\r", L{QString(edge), ""});
        addRow("utf-8 sequence across a chunk edge", edge + "\xc3\xa9",
               L{QString(edge) + QStringLiteral("é")});
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
        addRow(name, QString::fromUtf8(line), count, values);
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
