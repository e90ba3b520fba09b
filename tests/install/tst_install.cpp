// Installing: where the program finds the files it ships with, and the program installed by
// `cmake --install` into a temporary prefix, started from there on a new book in a temporary
// home.
#include "data/programfiles.h"
#include "support/datarows.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    // Installed, the files are in share/quillan/ beside bin/; in a build folder, beside the
    // program. Another program's folder under share/ is not taken for Quillan's.
    void programFiles_data() {
        columns<QStringList, QString>("folders", "expected");
        addRow("installed", QStringList{"bin", "share/quillan"}, QStringLiteral("share/quillan"));
        addRow("build folder", QStringList{"bin"}, QStringLiteral("bin"));
        addRow("another program's files", QStringList{"bin", "share/other"}, QStringLiteral("bin"));
    }

    void programFiles() {
        auto [folders, expected] = fetch<QStringList, QString>("folders", "expected");
        QTemporaryDir root;
        for (const QString& folder : folders)
            QVERIFY(QDir(root.path()).mkpath(folder));
        const QString programDir = root.filePath(QStringLiteral("bin"));
        const QString files = root.filePath(expected);
        QCOMPARE(ProgramFiles::helpFolder(programDir), files + QStringLiteral("/help"));
        QCOMPARE(ProgramFiles::templateBook(programDir), files + QStringLiteral("/template.mdb"));
    }

    // The installed program, alone under its prefix, makes a new book from its template and
    // finds its help there.
    void installedProgram() {
        QTemporaryDir root;
        const QString prefix = root.filePath(QStringLiteral("prefix"));
        const QString home = root.filePath(QStringLiteral("home"));
        QVERIFY(QDir(root.path()).mkpath(home));

        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(QUILLAN_CMAKE),
                      {QStringLiteral("--install"), QStringLiteral(QUILLAN_BUILD_DIR),
                       QStringLiteral("--prefix"), prefix});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());

        // The installed template, marked, so that a book made from it is told from one made
        // by the program's own code.
        const QString programDir = prefix + QStringLiteral("/bin");
        const QString templateBook = ProgramFiles::templateBook(programDir);
        QCOMPARE(templateBook, prefix + QStringLiteral("/share/quillan/template.mdb"));
        const auto vendorsOf = [](const QString& path, const QString& change) {
            QStringList vendors;
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "look");
                db.setDatabaseName(path);
                if (db.open()) {
                    QSqlQuery query(db);
                    if (!change.isEmpty())
                        query.exec(change);
                    query.exec(QStringLiteral("SELECT VendorID FROM tblVendors"));
                    while (query.next())
                        vendors << query.value(0).toString();
                }
            }
            QSqlDatabase::removeDatabase(QStringLiteral("look"));
            return vendors;
        };
        QCOMPARE(vendorsOf(templateBook,
                           QStringLiteral("INSERT INTO tblVendors (VendorID) VALUES ('TEMPLATE')")),
                 QStringList{QStringLiteral("TEMPLATE")});
        const QString book = home + QStringLiteral("/Books/cashbook.mdb");

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                     "XDG_STATE_HOME", "XDG_RUNTIME_DIR"})
            env.remove(QLatin1String(variable));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("quillaninstallprobe"));
        env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(QUILLAN_PROBE_PLUGINS));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(home);
        program.start(programDir + QStringLiteral("/quillan"), {QStringLiteral("--new"), book});
        if (!program.waitForFinished(60000)) {
            program.kill();
            program.waitForFinished();
        }
        const QString said = QString::fromUtf8(program.readAllStandardOutput());
        const QString report = said + QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                 qPrintable(report));
        QCOMPARE(said.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 (QStringList{QStringLiteral("main ~/Books/cashbook.mdb - Quillan - Main Menu"),
                              QStringLiteral("help ") + prefix +
                                  QStringLiteral("/share/quillan/help/frmSwitchboard.html")}));
        QCOMPARE(vendorsOf(book, {}), QStringList{QStringLiteral("TEMPLATE")});
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
