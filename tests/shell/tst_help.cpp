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

void writePage(const QString& dir, const QString& file, const QString& html) {
    QFile page(QDir(dir).filePath(file));
    QVERIFY(page.open(QIODevice::WriteOnly | QIODevice::Truncate));
    page.write(html.toUtf8());
}

QString page(const QString& title, const QString& body) {
    return QStringLiteral("<html><head><title>") + title + QStringLiteral("</title></head><body>") +
           body + QStringLiteral("</body></html>");
}

// The help folder the build puts beside the program (and beside this test).
QString installedHelp() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help");
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void contentsListEveryPage();
    void topicListPlacement();
    void viewer();
    void installedPagesHoldTogether();
};

void TestHelp::contentsListEveryPage() {
    QTemporaryDir dir;
    writePage(dir.path(), QStringLiteral("index.html"),
              page(QStringLiteral("Contents"), QStringLiteral("<!-- topics -->")));
    writePage(dir.path(), QStringLiteral("frmVendors.html"),
              page(QStringLiteral("Vendors"), QString()));
    writePage(dir.path(), QStringLiteral("frmSwitchboard.html"),
              QStringLiteral("<HTML><HEAD><TITLE>\n  The main\n window </TITLE></HEAD></HTML>"));
    writePage(dir.path(), QStringLiteral("frmBare.html"), QStringLiteral("<p>no title</p>"));
    writePage(dir.path(), QStringLiteral("notes.txt"), QStringLiteral("not a page"));

    const QList<HelpTopic> topics = helpTopics(dir.path());
    QStringList names;
    QStringList titles;
    for (const HelpTopic& topic : topics) {
        names << topic.name;
        titles << topic.title;
    }
    // Ordered by title; a page without a title is listed by its name.
    QCOMPARE(names, (QStringList{"frmBare", "frmSwitchboard", "frmVendors"}));
    QCOMPARE(titles, (QStringList{"frmBare", "The main window", "Vendors"}));
}

void TestHelp::topicListPlacement() {
    // At the marker, else before the end of the body.
    const HelpTopic tax{QStringLiteral("frmTaxTable"), QStringLiteral("Tax &amp; rates")};
    const QString item =
        QStringLiteral("<li><a href=\"frmTaxTable.html\">Tax &amp; rates</a></li>");
    QString html = withTopicList(QStringLiteral("<body><p>A</p><!-- topics --><p>B</p></body>"),
                                 {tax});
    QVERIFY2(html.indexOf(QLatin1String("<p>A</p>")) < html.indexOf(item), qPrintable(html));
    QVERIFY(html.indexOf(item) < html.indexOf(QLatin1String("<p>B</p>")));
    QVERIFY(!html.contains(QLatin1String("<!-- topics -->")));
    html = withTopicList(QStringLiteral("<body><p>A</p></BODY>"), {tax});
    QVERIFY(html.indexOf(QLatin1String("<p>A</p>")) < html.indexOf(item));
    QVERIFY(html.indexOf(item) < html.indexOf(QLatin1String("</BODY>")));
}

void TestHelp::viewer() {
    QTemporaryDir dir;
    writePage(dir.path(), QStringLiteral("index.html"),
              page(QStringLiteral("Contents"), QStringLiteral("<h1>All topics</h1><!-- topics -->")));
    writePage(dir.path(), QStringLiteral("frmVendors.html"),
              page(QStringLiteral("Vendors"),
                   QStringLiteral("<p>Vendor help</p><a href=\"frmCustomers.html\">c</a>")));
    writePage(dir.path(), QStringLiteral("frmCustomers.html"),
              page(QStringLiteral("Customers"), QStringLiteral("<p>Customer help</p>")));
    const auto pageUrl = [&](const char* file) {
        return QUrl::fromLocalFile(QDir(dir.path()).filePath(QLatin1String(file)));
    };

    // Opened at the topic of the window.
    HelpViewer viewer(dir.path(), QStringLiteral("frmVendors"));
    QCOMPARE(viewer.objectName(), QStringLiteral("frmHelp"));
    auto* browser = viewer.findChild<QTextBrowser*>(QStringLiteral("txtHelp"));
    QCOMPARE(viewer.currentPage(), pageUrl("frmVendors.html"));
    QVERIFY(browser->toPlainText().contains(QLatin1String("Vendor help")));
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Quillan Help - Vendors"));
    QVERIFY(viewer.findChild<QLabel*>(QStringLiteral("lblMissingTopic"))->isHidden());
    auto* back = viewer.findChild<QPushButton*>(QStringLiteral("cmdBack"));
    QVERIFY(!back->isEnabled());
    // Following a link, then Back, then Contents with both pages.
    browser->setSource(QUrl(QStringLiteral("frmCustomers.html")));
    QVERIFY(browser->toPlainText().contains(QLatin1String("Customer help")));
    back->click();
    QVERIFY(browser->toPlainText().contains(QLatin1String("Vendor help")));
    viewer.findChild<QPushButton*>(QStringLiteral("cmdContents"))->click();
    QVERIFY(browser->toHtml().contains(QLatin1String("frmVendors.html")));
    QVERIFY(browser->toHtml().contains(QLatin1String("frmCustomers.html")));

    // A topic without its page: the contents, with a note that goes once the user moves on.
    HelpViewer missing(dir.path(), QStringLiteral("frmNotWrittenYet"));
    auto* note = missing.findChild<QLabel*>(QStringLiteral("lblMissingTopic"));
    QCOMPARE(missing.currentPage(), pageUrl("index.html"));
    QVERIFY(!note->isHidden());
    browser = missing.findChild<QTextBrowser*>(QStringLiteral("txtHelp"));
    QVERIFY(browser->toPlainText().contains(QLatin1String("All topics")));
    browser->setSource(QUrl(QStringLiteral("frmVendors.html")));
    QVERIFY(note->isHidden());
    // Asking for the contents themselves is no missing page.
    HelpViewer contents(dir.path(), QStringLiteral("index"));
    QVERIFY(contents.findChild<QLabel*>(QStringLiteral("lblMissingTopic"))->isHidden());

    // Without the help folder, the viewer says where it looked.
    const QString absent = dir.path() + QStringLiteral("/help");
    HelpViewer none(absent, QStringLiteral("frmSwitchboard"));
    const QString text = none.findChild<QTextBrowser*>(QStringLiteral("txtHelp"))->toPlainText();
    QVERIFY2(text.contains(QDir::toNativeSeparators(absent)), qPrintable(text));
}

void TestHelp::installedPagesHoldTogether() {
    const QDir help(installedHelp());
    QVERIFY2(help.exists(), qPrintable(help.path()));
    // The shell's own windows and topics have their pages.
    for (const char* topic : {"index", "frmSwitchboard", "frmLicenceAgreement", "frmHelp",
                              "FunctionKeys", "CompactDatabase"})
        QVERIFY2(help.exists(QString::fromLatin1(topic) + QStringLiteral(".html")), topic);

    static const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)[^\"]*\""),
                                         QRegularExpression::CaseInsensitiveOption);
    for (const QString& file : help.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        QFile page(help.filePath(file));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        QVERIFY2(!helpPageTitle(html).isEmpty(),
                 qPrintable(file + QStringLiteral(" has no title")));
        // Every link inside the help leads to a page that is there.
        auto links = href.globalMatch(html);
        while (links.hasNext()) {
            const QString target = links.next().captured(1);
            if (target.isEmpty() || target.contains(QLatin1String("://")))
                continue;
            QVERIFY2(help.exists(target),
                     qPrintable(file + QStringLiteral(" links to missing ") + target));
        }
    }
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
