// The help pages and the help window.
#include "shell/helpindex.h"
#include "shell/helpviewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

namespace {

void writePage(const QTemporaryDir& dir, const char* file, const QString& html) {
    QFile page(dir.filePath(QLatin1String(file)));
    QVERIFY(page.open(QIODevice::WriteOnly | QIODevice::Truncate));
    page.write(html.toUtf8());
}

QString page(const char* title, const char* body) {
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>")
        .arg(QLatin1String(title), QLatin1String(body));
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void viewer() {
        QTemporaryDir dir;
        writePage(dir, "index.html", page("Contents", "<h1>All topics</h1><!-- topics -->"));
        writePage(dir, "frmVendors.html",
                  page("Vendors", "<p>Vendor help</p><a href=\"frmCustomers.html\">c</a>"));
        writePage(dir, "frmCustomers.html",
                  QStringLiteral("<HTML><TITLE>\n  Customers\n here </TITLE><p>Customer help</p>"));
        writePage(dir, "notes.txt", QStringLiteral("not a page"));
        // Listed by title; a title over several lines is read as one.
        QStringList titles;
        for (const HelpTopic& topic : helpTopics(dir.path()))
            titles << topic.title;
        QCOMPARE(titles, (QStringList{"Customers here", "Vendors"}));

        // Opened at the topic of the window; a link, then Back, then the contents list.
        HelpViewer viewer(dir.path(), QStringLiteral("frmVendors"));
        auto* browser = viewer.findChild<QTextBrowser*>(QStringLiteral("txtHelp"));
        QCOMPARE(viewer.currentPage(), QUrl::fromLocalFile(dir.filePath("frmVendors.html")));
        QCOMPARE(viewer.windowTitle(), QStringLiteral("Quillan Help - Vendors"));
        QVERIFY(viewer.findChild<QLabel*>(QStringLiteral("lblMissingTopic"))->isHidden());
        auto* back = viewer.findChild<QPushButton*>(QStringLiteral("cmdBack"));
        QVERIFY(!back->isEnabled());
        browser->setSource(QUrl(QStringLiteral("frmCustomers.html")));
        QVERIFY(browser->toPlainText().contains(QLatin1String("Customer help")));
        back->click();
        QVERIFY(browser->toPlainText().contains(QLatin1String("Vendor help")));
        viewer.findChild<QPushButton*>(QStringLiteral("cmdContents"))->click();
        const QString contents = browser->toHtml();
        QVERIFY(contents.contains(QLatin1String("frmVendors.html")));
        QVERIFY(contents.indexOf(QLatin1String("All topics")) <
                contents.indexOf("frmCustomers.html"));

        // A topic without its page: the contents, with a note that goes once the user moves on.
        HelpViewer missing(dir.path(), QStringLiteral("frmNotWrittenYet"));
        auto* note = missing.findChild<QLabel*>(QStringLiteral("lblMissingTopic"));
        QCOMPARE(missing.currentPage(), QUrl::fromLocalFile(dir.filePath("index.html")));
        QVERIFY(!note->isHidden());
        missing.findChild<QTextBrowser*>()->setSource(QUrl(QStringLiteral("frmVendors.html")));
        QVERIFY(note->isHidden());

        // Without the help folder, the viewer says where it looked.
        const QString absent = dir.filePath("help");
        HelpViewer none(absent, QStringLiteral("frmSwitchboard"));
        QVERIFY(none.findChild<QTextBrowser*>()->toPlainText().contains(
            QDir::toNativeSeparators(absent)));
    }

    void installedPagesHoldTogether() {
        // The help folder the build puts beside the program (and beside this test).
        const QDir help(QCoreApplication::applicationDirPath() + QStringLiteral("/help"));
        QVERIFY2(help.exists(), qPrintable(help.path()));
        for (const char* topic : {"index", "frmSwitchboard", "frmLicenceAgreement", "frmHelp",
                                  "FunctionKeys", "CompactDatabase"})
            QVERIFY2(help.exists(QString::fromLatin1(topic) + QStringLiteral(".html")), topic);
        static const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)[^\"]*\""),
                                             QRegularExpression::CaseInsensitiveOption);
        for (const QString& file : help.entryList({QStringLiteral("*.html")}, QDir::Files)) {
            QFile page(help.filePath(file));
            QVERIFY(page.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(page.readAll());
            QVERIFY2(!helpPageTitle(html).isEmpty(), qPrintable(file));
            // Every link inside the help leads to a page that is there.
            auto links = href.globalMatch(html);
            while (links.hasNext()) {
                const QString target = links.next().captured(1);
                if (!target.isEmpty() && !target.contains(QLatin1String("://")))
                    QVERIFY2(help.exists(target),
                             qPrintable(file + QStringLiteral(" -> ") + target));
            }
        }
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
