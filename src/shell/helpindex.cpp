#include "helpindex.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

QString helpPageTitle(const QString& html) {
    static const QRegularExpression title(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    return title.match(html).captured(1).simplified();
}

QList<HelpTopic> helpTopics(const QString& helpDir) {
    QList<HelpTopic> topics;
    const QDir dir(helpDir);
    const QStringList files =
        dir.entryList({QStringLiteral("*.html")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& file : files) {
        const QString name = file.chopped(5);
        if (name.compare(QLatin1String("index"), Qt::CaseInsensitive) == 0)
            continue;
        QFile page(dir.filePath(file));
        QString title;
        if (page.open(QIODevice::ReadOnly))
            title = helpPageTitle(QString::fromUtf8(page.readAll()));
        topics.push_back({name, title.isEmpty() ? name.toHtmlEscaped() : title});
    }
    std::stable_sort(topics.begin(), topics.end(), [](const HelpTopic& a, const HelpTopic& b) {
        return a.title.compare(b.title, Qt::CaseInsensitive) < 0;
    });
    return topics;
}

QString withTopicList(const QString& indexHtml, const QList<HelpTopic>& topics) {
    QString list = QStringLiteral("<ul>\n");
    for (const HelpTopic& topic : topics)
        list += QStringLiteral("<li><a href=\"") +
                QString::fromLatin1(QUrl::toPercentEncoding(topic.name + QStringLiteral(".html"))) +
                QStringLiteral("\">") + topic.title + QStringLiteral("</a></li>\n");
    list += QStringLiteral("</ul>\n");

    QString html = indexHtml;
    const QString marker = QStringLiteral("<!-- topics -->");
    const qsizetype at = html.indexOf(marker);
    if (at >= 0)
        return html.replace(at, marker.size(), list);
    const qsizetype end = html.lastIndexOf(QLatin1String("</body>"), -1, Qt::CaseInsensitive);
    return end >= 0 ? html.insert(end, list) : html + list;
}
