#pragma once

#include <QList>
#include <QString>

// The help pages live as HTML files in the help folder beside the program, one topic per
// window, named after the window ("frmSwitchboard.html"). The contents page lists every
// page found in the folder, so a new page needs no other change to be listed.

struct HelpTopic {
    QString name;  // the file name without ".html": the topic
    QString title; // the page's <title>, as HTML text
};

// The <title> of a page, or empty.
QString helpPageTitle(const QString& html);

// Every page in the folder except the contents page, ordered by title.
QList<HelpTopic> helpTopics(const QString& helpDir);

// The contents page with the list of topics put where it holds "<!-- topics -->"
// (or at the end of its body when it has no such place).
QString withTopicList(const QString& indexHtml, const QList<HelpTopic>& topics);
