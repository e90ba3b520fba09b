#include "helpviewer.h"

#include "shell/helpindex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString kContents = QStringLiteral("index");

// Serves the contents page with the list of every page present in the folder.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QString helpDir, QWidget* parent)
        : QTextBrowser(parent),
          m_indexPath(QDir(helpDir).absoluteFilePath(kContents + QStringLiteral(".html"))),
          m_helpDir(std::move(helpDir)) {}

    QVariant loadResource(int type, const QUrl& name) override {
        if (type == QTextDocument::HtmlResource && name.isLocalFile() &&
            QFileInfo(name.toLocalFile()).absoluteFilePath() == m_indexPath) {
            QFile index(m_indexPath);
            if (index.open(QIODevice::ReadOnly))
                return withTopicList(QString::fromUtf8(index.readAll()), helpTopics(m_helpDir));
        }
        return QTextBrowser::loadResource(type, name);
    }

private:
    QString m_indexPath;
    QString m_helpDir;
};

QString pagePath(const QString& helpDir, const QString& topic) {
    return QDir(helpDir).absoluteFilePath(topic + QStringLiteral(".html"));
}

} // namespace

HelpViewer::HelpViewer(QString helpDir, const QString& topic, QWidget* parent)
    : QDialog(parent), m_helpDir(std::move(helpDir)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Quillan Help"));
    resize(760, 580);

    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    contents->setObjectName(QStringLiteral("cmdContents"));
    m_back = new QPushButton(QStringLiteral("&Back"), this);
    m_back->setObjectName(QStringLiteral("cmdBack"));
    m_forward = new QPushButton(QStringLiteral("&Forward"), this);
    m_forward->setObjectName(QStringLiteral("cmdForward"));
    auto* close = new QPushButton(QStringLiteral("C&lose"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(contents);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    m_missing = new QLabel(this);
    m_missing->setObjectName(QStringLiteral("lblMissingTopic"));
    m_missing->setWordWrap(true);
    m_missing->hide();
    layout->addWidget(m_missing);

    m_browser = new HelpBrowser(m_helpDir, this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setAccessibleName(QStringLiteral("Help page"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({m_helpDir});
    layout->addWidget(m_browser, 1);

    connect(contents, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::pageChanged);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    showTopic(topic);
    m_browser->setFocus();
}

void HelpViewer::showTopic(const QString& topic) {
    const QString path = pagePath(m_helpDir, topic);
    if (!topic.isEmpty() && QFileInfo::exists(path)) {
        m_missing->hide();
        m_browser->setSource(QUrl::fromLocalFile(path));
        return;
    }
    m_missing->setText(QStringLiteral("There is no help page for this window yet. "
                                      "Choose a topic from the contents below."));
    m_missing->setVisible(!topic.isEmpty() && topic != kContents);
    showContents();
}

void HelpViewer::showContents() {
    const QString index = pagePath(m_helpDir, kContents);
    if (QFileInfo::exists(index)) {
        m_browser->setSource(QUrl::fromLocalFile(index));
        return;
    }
    m_missing->hide();
    m_browser->setHtml(QStringLiteral("<h1>Quillan Help</h1><p>The help pages were not found in ") +
                       QDir::toNativeSeparators(m_helpDir).toHtmlEscaped() +
                       QStringLiteral(", where the program looks for them.</p>"));
    setWindowTitle(QStringLiteral("Quillan Help"));
}

QUrl HelpViewer::currentPage() const {
    return m_browser->source();
}

void HelpViewer::pageChanged(const QUrl& page) {
    // The note about a missing page belongs to the contents shown in its place.
    if (page != QUrl::fromLocalFile(pagePath(m_helpDir, kContents)))
        m_missing->hide();
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Quillan Help")
                                   : QStringLiteral("Quillan Help - ") + title);
}
