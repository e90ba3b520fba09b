// The GL distribution, the batch table and the export command, driven through the
// switchboard's button with scripted prompts and file dialogs.
#include "data/messages.h"
#include "glexport/glbatchfile.h"
#include "glexport/glexportprocedures.h"
#include "shell/switchboardwindow.h"
#include "support/datarows.h"
#include "support/filesizelimit.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QApplication>
#include <QDir>
#include <QScopeGuard>
#include <QTest>

using Answer = Prompts::Answer;

namespace {

// A transaction of January 2003 unless dated otherwise: bank account 1000 (department
// stored as Null), offset 6000-00, tax 2110 (department stored empty). Amounts in dollars.
struct Tx {
    const char* id;
    const char* date;
    const char* status;
    double bank;
    double offset;
    QVariant gst;
    QVariant desc = QStringLiteral("Office supplies");
};

void add(TestBook& book, const Tx& tx) {
    const auto units = [](const QVariant& dollars) {
        return dollars.isNull() ? QVariant() : QVariant(qRound64(dollars.toDouble() * 10000));
    };
    book.sql("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, TransDesc, "
             "VendorID, BankAccountGLAccountCode, OffsetGLAccountCode, OffsetGLDeptCode, "
             "OffsetGSTGLAccountCode, OffsetGSTGLDeptCode, DoubleEntryBank, DoubleEntryOffset, "
             "DoubleEntryGST) VALUES (?, ?, '1', ?, ?, 'V1', '1000', '6000', '00', '2110', '', "
             "?, ?, ?)",
             {tx.id, tx.date, tx.status, tx.desc, units(tx.bank), units(tx.offset), units(tx.gst)});
}

// The rows of a query of one column, as a list.
QStringList tableLines(TestBook& book, const QString& column, const QString& table) {
    return book
        .value("SELECT group_concat(" + column + ", ';') FROM (SELECT * FROM " + table +
               " ORDER BY rowid)")
        .toString()
        .split(';', Qt::SkipEmptyParts);
}

const char* const kDistribution =
    "printf('%s|%s|%s|%g|%g|%s', TransID, AccountCode, DeptCode, DR / 10000.0, CR / 10000.0, "
    "TransDesc)";
const char* const kBatch =
    "printf('%s|%s|%s|%s|%d|%s|%g|%s|%s|%s', EntryDate, GLAccountCode, DeptCode, SourceCode, "
    "TransID, TransDateAccpac, Amount / 10000.0, CurrencyCode, RateType, RateDate)";
const char* const kUnmarked = "SELECT COUNT(*) FROM tblCashbook WHERE ExportedToAccpac = 0";

// Answers as the scripted dialogs do; with fillDisk set, the disk fills up as the dialog
// closes, after the book's last write before the file.
struct FillingDiskDialogs : FileDialogs {
    explicit FillingDiskDialogs(ScriptedFileDialogs& scripted) : scripted(scripted) {}
    std::optional<QString> saveFileName(const FileDialogRequest& request) override {
        if (fillDisk)
            limit.emplace(10);
        return scripted.saveFileName(request);
    }
    std::optional<QString> openFileName(const FileDialogRequest& request) override {
        return scripted.openFileName(request);
    }
    ScriptedFileDialogs& scripted;
    bool fillDisk = false;
    std::optional<FileSizeLimit> limit;
};

// A book whose current month is January 2003, with the main window.
struct Fixture {
    Fixture()
        : dialogs(book.fileDialogs), services{book.db,        book.prompts, dialogs,
                                              book.launcher,  book.busy,    book.clock,
                                              book.appDir(),  [] {},        {},
                                              book.bookPath()},
          window(services) {
        book.sql("UPDATE tblBankDetails SET CurrentMonth = '1', CurrentYear = '2003'");
        book.sql("UPDATE tblAccpacSettings SET GLSourceCode = '', GLSingleMultiCurrency = 'S', "
                 "GLHomeCurrency = '', GLRateType = ''");
        book.launcher.available << QStringLiteral("xdg-open");
    }
    QString path() const { return book.appDir() + "/GLBATCH.TXT"; }
    // Presses the export button: `include` answers the second question, `file` the save
    // dialog ("-" cancels, none when empty; "|" between the answers to a dialog shown again),
    // `boxes` are the boxes after the two questions (a box starting with ^ is a pattern), each
    // answered `answer`.
    void exportMonth(bool include, const QString& file, const QStringList& boxes,
                     Answer answer = Answer::No) {
        book.prompts.expect(Messages::exportToAccpacQuestion(), Answer::Yes)
            .expect(Messages::includeExportedQuestion(), include ? Answer::Yes : Answer::No);
        for (const QString& box : boxes)
            book.prompts.expectBox(box, answer);
        for (const QString& answer : file.split('|', Qt::SkipEmptyParts))
            book.fileDialogs.answer(answer == "-" ? std::nullopt : std::optional(answer));
        QVERIFY(runCommand(&window, QStringLiteral("cmdExportToAccpac")));
        dialogs.limit.reset();
        QVERIFY(book.prompts.verifyAllShown());
        QVERIFY(!book.busy.isBusy());
    }
    TestBook book;
    FillingDiskDialogs dialogs;
    Services services;
    SwitchboardWindow window;
};

} // namespace

class TestGlExport : public QObject {
    Q_OBJECT
private slots:
    // Modes run in turn on one book; the last one's table is compared.
    void distribution_data() {
        // lines: TransID|account|dept|DR|CR|description
        columns<QList<int>, QStringList>("modes", "lines");
        const QString d = "Office supplies";
        addRow("mode 1: sides in order, signs, void and reversed included", QList<int>{1},
               QStringList{"000123|1000||0|-107|" + d, "000123|6000|00|100|0|" + d,
                           "000123|2110||7|0|" + d, "R1|1000||53.5|0|" + d, "R1|6000|00|0|-50|" + d,
                           "R1|2110||0|-3.5|" + d, "V9|1000||0|-10|" + d, "V9|6000|00|10|0|" + d,
                           "X9|1000||20|0|O'Brien's", "X9|6000|00|0|-20|O'Brien's"});
        addRow("mode 0 after mode 1: bank lines only", QList<int>{1, 0},
               QStringList{"000123|1000||0|-107|" + d, "R1|1000||53.5|0|" + d,
                           "V9|1000||0|-10|" + d, "X9|1000||20|0|O'Brien's"});
        addRow("mode 2: old outstanding, not last month's reconciled", QList<int>{2},
               QStringList{"000050|1000||0|-30|" + d, "000123|1000||0|-107|" + d,
                           "R1|1000||53.5|0|" + d, "000200|1000||0|-5|" + d});
    }

    void distribution() {
        auto [modes, lines] = fetch<QList<int>, QStringList>("modes", "lines");
        Fixture f;
        add(f.book, {"000123", "2003-01-05", "1", -107, 100, 7});
        add(f.book, {"R1", "2003-01-06", "2", 53.5, -50, -3.5});
        add(f.book, {"V9", "2003-01-07", "4", -10, 10, QVariant()});
        add(f.book, {"X9", "2003-01-31", "3", 20, -20, 0, "O'Brien's"});
        add(f.book, {"000050", "2002-11-03", "1", -30, 30, 0});
        add(f.book, {"000051", "2002-12-31", "2", -40, 40, 0});
        add(f.book, {"000200", "2003-02-01", "1", -5, 5, 0});
        for (int mode : modes)
            QVERIFY(PreparetblDistribution(f.book.services, mode));
        QCOMPARE(tableLines(f.book, kDistribution, "tblGLDistribution"), lines);
        if (modes.last() == 1)
            QCOMPARE(f.book.value("SELECT SUM(DR) + SUM(CR) FROM tblGLDistribution").toInt(), 0);
    }

    // A failed rebuild keeps the previous lines; an empty one says so and leaves none.
    void distributionKeepsTableOnFailure() {
        Fixture f;
        add(f.book, {"000123", "2003-01-05", "1", -107, 100, 7});
        QVERIFY(PreparetblDistribution(f.book.services, 1));
        add(f.book, {"000124", "2003-01-06", "1", -10, 10, QVariant()});
        f.book.sql("CREATE TEMP TRIGGER refuse BEFORE INSERT ON tblGLDistribution WHEN "
                   "NEW.TransID = '000124' BEGIN SELECT RAISE(ABORT, 'refused'); END");
        for (const char* failure : {"refused", "mode 3"})
            f.book.prompts.expectMatch(QStringLiteral("^(?s)An error has occurred.*%1.*Routine: "
                                                      "PreparetblDistribution$")
                                           .arg(failure));
        QVERIFY(!PreparetblDistribution(f.book.services, 1));
        QVERIFY(!PreparetblDistribution(f.book.services, 3));
        QCOMPARE(tableLines(f.book, kDistribution, "tblGLDistribution").size(), 3);
        f.book.sql("UPDATE tblBankDetails SET CurrentMonth = '13'"); // names no period
        f.book.prompts.expect(Messages::noCurrentMonthTransactions());
        QVERIFY(!PreparetblDistribution(f.book.services, 1));
        QVERIFY(f.book.prompts.verifyAllShown());
        QCOMPARE(tableLines(f.book, kDistribution, "tblGLDistribution"), QStringList());
    }

    // The batch's input written directly: lines dated 31 December 2009.
    void batch_data() {
        // ids: one line each
        // lines: as kBatch; empty when the rebuild fails
        columns<QStringList, QString, QStringList>("ids", "settings", "lines");
        addRow("defaults, 99999 shared, leading zeros, amount 0",
               QStringList{"AB1", "000123", "B2"}, "",
               QStringList{"091231|1000|00|CBGL|123|091231|12.5|$|SP|091231",
                           "091231|1000|00|CBGL|99999|091231|12.5|$|SP|091231",
                           "091231|1000|00|CBGL|99999|091231|0|$|SP|091231"});
        addRow("settings given, numeric IDs in other forms", QStringList{" +12 ", "1,000", "2.5e1"},
               "GLSourceCode = 'GJ', GLHomeCurrency = 'S$', GLRateType = 'AV'",
               QStringList{"091231|1000|00|GJ|12|091231|12.5|S$|AV|091231",
                           "091231|1000|00|GJ|1000|091231|12.5|S$|AV|091231",
                           "091231|1000|00|GJ|25|091231|0|S$|AV|091231"});
        addRow("a signed number and letters in one batch", QStringList{"+12", "AB1"}, "",
               QStringList{"091231|1000|00|CBGL|12|091231|12.5|$|SP|091231",
                           "091231|1000|00|CBGL|99999|091231|12.5|$|SP|091231"});
        addRow("a number beyond 32 bits fails", QStringList{"1", "2147483648"}, "", QStringList{});
    }

    void batch() {
        auto [ids, settings, lines] =
            fetch<QStringList, QString, QStringList>("ids", "settings", "lines");
        Fixture f;
        if (!settings.isEmpty())
            f.book.sql("UPDATE tblAccpacSettings SET " + settings);
        f.book.sql("INSERT INTO tblGLDistributionAccpacGL (TransID) VALUES (7)");
        for (int i = 0; i < ids.size(); ++i)
            f.book.sql("INSERT INTO tblGLDistribution (TransDate, TransID, AccountCode, DeptCode, "
                       "DR, CR) VALUES ('2009-12-31', ?, '1000', '00', ?, ?)",
                       {ids.at(i), i < 2 ? 125000 : 0, i < 2 ? -99 : 0});
        if (lines.isEmpty())
            f.book.prompts.expectMatch(
                "^(?s)An error has occurred.*Number: 6\r.*2147483648.*Routine: "
                "PreparetblDistributionAccpacGL$");
        f.book.busy.set();
        QCOMPARE(PreparetblDistributionAccpacGL(f.book.services), !lines.isEmpty());
        QVERIFY(!f.book.busy.isBusy());
        QVERIFY(f.book.prompts.verifyAllShown());
        if (lines.isEmpty()) // the earlier batch is kept
            QCOMPARE(f.book.value("SELECT group_concat(TransID) FROM tblGLDistributionAccpacGL"),
                     7);
        else
            QCOMPARE(tableLines(f.book, kBatch, "tblGLDistributionAccpacGL"), lines);
    }

    // One payment of the month (bank and offset lines) written through the command.
    void fileByteForByte_data() {
        // file: with @ for the description as written
        columns<QString, QVariant, QByteArray>("settings", "desc", "file");
        const QByteArray single =
            "\"E\", 1 ,\"030105\", 0 ,\"1000\",\"\",\"CBGL\", 123 ,\"030105\",@,"
            "-107.25 \r\n\"E\", 1 ,\"030105\", 0 ,\"6000\",00,\"CBGL\", 123 ,"
            "\"030105\",@, 107.25 \r\n";
        const auto row = [&](const char* name, const QVariant& desc, const QByteArray& written) {
            addRow(name, "", desc, QByteArray(single).replace("@", written));
        };
        row("the example line", "Office supplies", "\"Office supplies\"");
        row("empty description", QVariant(), "\"\"");
        row("blank description", "   ", "\"\"");
        row("digits only", "2003", "2003");
        row("comma", " Smith, Jones ", "\"Smith, Jones\"");
        row("thousands separator", "1,000", "\"1,000\"");
        row("double quote", "12\" pipe", "\"12\"\" pipe\"");
        row("line breaks and a tab", "Office\r\nsupplies\tA4\n", "\"Office  supplies A4\"");
        row("Windows-1252", QString::fromUtf8("Caf\u00e9 \u20ac5"),
            "\"Caf\xe9 \x80"
            "5\"");
        addRow("multi-currency",
               "GLSingleMultiCurrency = 'M', GLSourceCode = 'GJ', GLHomeCurrency = 'S$'",
               QVariant("Office supplies"),
               QByteArray("\"E\", 1 ,\"030105\", 0 ,\"1000\",\"\",\"GJ\", 123 ,\"030105\",\"Office "
                          "supplies\",-107.25 ,\"S$\",\"SP\",\"030105\", 1 ,-107.25 \r\n\"E\", 1 ,"
                          "\"030105\", 0 ,\"6000\",00,\"GJ\", 123 ,\"030105\",\"Office supplies\", "
                          "107.25 ,\"S$\",\"SP\",\"030105\", 1 , 107.25 \r\n"));
    }

    void fileByteForByte() {
        auto [settings, desc, file] =
            fetch<QString, QVariant, QByteArray>("settings", "desc", "file");
        // Amounts keep their full stop whatever the user's locale.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
        Fixture f;
        if (!settings.isEmpty())
            f.book.sql("UPDATE tblAccpacSettings SET " + settings);
        add(f.book, {"123", "2003-01-05", "1", -107.25, 107.25, 0, desc});
        writeFile(f.path(), QByteArray(1000, 'x')); // a longer file is replaced
        f.exportMonth(false, f.path(),
                      {Messages::exportSucceeded(f.path(), 2), Messages::viewExportQuestion(),
                       Messages::markExportedQuestion()});
        QCOMPARE(fileBytes(f.path()), file);
        QCOMPARE(f.book.value(kUnmarked).toInt(), 1);
        QCOMPARE(QDir::current().canonicalPath(), QDir(f.book.appDir()).canonicalPath());
        const FileDialogRequest request = f.book.fileDialogs.requests().value(0);
        QCOMPARE(request.title + '|' + request.filter + '|' + request.fileName + '|' +
                     request.directory,
                 "Save comma delimited export file|Export Files (*.txt)|*.txt|GLBATCH.TXT|" +
                     f.book.appDir());
    }

    // The command's ways through, over a month of two transactions (five lines) and one of the
    // month before; an earlier GLBATCH.TXT holds "earlier" unless written.
    void commandFlows_data() {
        // setup: a statement run on the book first
        // include: the answer to the include question
        // desc: of the second transaction
        // file: the dialog's answer; @ is the book's folder
        // yes: the answer to each box
        // written: GLBATCH.TXT holds the month
        // unmarked: of the three transactions
        columns<QString, bool, QString, QString, QStringList, bool, bool, bool, int>(
            "setup", "include", "desc", "file", "boxes", "yes", "diskFull", "written", "unmarked");
        const QString file = "@/GLBATCH.TXT";
        const QString done = Messages::exportSucceeded(file, 5);
        const QStringList after{done, Messages::viewExportQuestion(),
                                Messages::markExportedQuestion()};
        const auto row = [](const char* name, const QString& setup, bool include,
                            const QString& file, const QStringList& boxes, bool yes, bool written,
                            int unmarked, bool diskFull = false, const QString& desc = "Void") {
            addRow(name, setup, include, desc, file, boxes, yes, diskFull, written, unmarked);
        };
        const QString marked =
            "UPDATE tblCashbook SET ExportedToAccpac = 1 WHERE TransDate >= '2003-01-01'";
        row("marked, include No: nothing to export", marked, false, "",
            {Messages::noRecordsToExport()}, false, false, 1);
        row("marked, include Yes: written again", marked, true, file, after, false, true, 1);
        row("dialog cancelled", "", false, "-", {Messages::exportCancelled()}, false, false, 3);
        row("disk full", "", false, file, {"^57 The file .*GLBATCH\\.TXT could not be written: .+"},
            true, false, 3, true);
        row("view and mark No", "", false, file, after, false, true, 3);
        row("view and mark Yes: the whole month marked", "", false, file,
            after + QStringList{Messages::exportedAndMarked()}, true, true, 1);
        row("marking refused part of the way: none marked",
            "CREATE TEMP TRIGGER refuse BEFORE UPDATE ON tblCashbook WHEN NEW.TransID = '000124' "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END",
            false, file,
            after + QStringList{"^(?s)An error has occurred.*refused.*Routine: MarkAsExported$"},
            true, true, 3);
        row("more than 32,767 lines",
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 16384) "
            "INSERT INTO tblCashbook (TransID, TransDate, TransStatus, BankAccountGLAccountCode, "
            "OffsetGLAccountCode, DoubleEntryBank, DoubleEntryOffset) SELECT 100000 + i, "
            "'2003-01-20', '1', '1000', '6000', -10000, 10000 FROM n",
            false, file,
            {Messages::exportSucceeded(file, 32773), Messages::viewExportQuestion(),
             Messages::markExportedQuestion()},
            false, true, 16387);
        row("view and mark Yes: the next month's first day left unmarked",
            "INSERT INTO tblCashbook (TransID, TransDate, TransStatus) VALUES ('000125', "
            "'2003-02-01', '1')",
            false, file, after + QStringList{Messages::exportedAndMarked()}, true, true, 2);
        row("month stored as 01: the month exported and marked",
            "UPDATE tblBankDetails SET CurrentMonth = '01'", false, file,
            after + QStringList{Messages::exportedAndMarked()}, true, true, 1);
        row("new file not created: the dialog again", "", false, "@/new.txt|" + file,
            QStringList{Messages::createFileQuestion("@/new.txt")} + after, false, true, 3);
        row("over the book", "", false, "@/cashbook.mdb",
            {Messages::exportOverBook("@/cashbook.mdb")}, false, false, 3);
        row("over the book's journal through a link to its folder", "", false,
            "@/link/cashbook.mdb-journal",
            {Messages::exportOverBook("@/link/cashbook.mdb-journal")}, false, false, 3);
        const QString omega = QString::fromUtf8("\u03a9 meter");
        row("a text Windows-1252 cannot hold", "", false, "",
            {Messages::transactionTextNotWritable(
                "000124", QLocale().toString(QDate(2003, 1, 6), QLocale::ShortFormat),
                "its description", omega)},
            false, false, 3, false, omega);
        row("a home currency Windows-1252 cannot hold",
            QString::fromUtf8("UPDATE tblAccpacSettings SET GLSingleMultiCurrency = 'M', "
                              "GLHomeCurrency = '\u20b9'"),
            false, "",
            {Messages::settingTextNotWritable("GLHomeCurrency", QString::fromUtf8("\u20b9"))},
            false, false, 3);
    }

    void commandFlows() {
        auto [setup, include, desc, file, boxes, yes, diskFull, written, unmarked] =
            fetch<QString, bool, QString, QString, QStringList, bool, bool, bool, int>(
                "setup", "include", "desc", "file", "boxes", "yes", "diskFull", "written",
                "unmarked");
        Fixture f;
        add(f.book, {"000123", "2003-01-05", "2", -107, 100, 7});
        add(f.book, {"000124", "2003-01-06", "4", -10, 10, QVariant(), desc});
        add(f.book, {"000099", "2002-12-05", "1", -10, 10, QVariant()});
        if (!setup.isEmpty())
            f.book.sql(setup);
        writeFile(f.path(), "earlier");
        if (file.contains("@/link/"))
            QVERIFY(QFile::link(f.book.appDir(), f.book.appDir() + "/link"));
        file.replace('@', f.book.appDir());
        boxes.replaceInStrings("@", f.book.appDir());
        f.dialogs.fillDisk = diskFull;
        f.exportMonth(include, file, boxes, yes ? Answer::Yes : Answer::No);
        QCOMPARE(fileBytes(f.path()).startsWith("\"E\", 1 ,\"030105\", 0 ,\"1000\""), written);
        if (!written)
            QCOMPARE(fileBytes(f.path()), QByteArray("earlier"));
        QCOMPARE(f.book.value(kUnmarked).toInt(), unmarked);
        QCOMPARE(f.book.launcher.started.size(), written && yes ? 1 : 0);
    }

    // What reads as a number decides between bare and quoted fields and the batch numbers.
    void numericText_data() {
        columns<QString, bool>("text", "numeric");
        for (const char* yes : {"0", "00", " 12 ", "-3", "+.5", "1,000.25", "12.", "1e5", "2E-3"})
            addRow(yes, QString(yes), true);
        for (const char* no : {"", " ", "1 2", "1e", "e5", ".", "12a", "$5", "1-", "\xd9\xa3"})
            addRow(no, QString::fromUtf8(no), false);
    }

    void numericText() {
        auto [text, numeric] = fetch<QString, bool>("text", "numeric");
        QCOMPARE(GlBatchFile::isNumeric(text), numeric);
    }
};

QTEST_MAIN(TestGlExport)
#include "tst_glexport.moc"
