#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;
class QTextBrowser;

// The help window: the pages of the help folder in a browser with Contents, Back and
// Forward. Opened at the topic of the window the user asked for help in; when that
// window has no page yet, the contents are shown with a note saying so.
class HelpViewer : public QDialog {
    Q_OBJECT
public:
    HelpViewer(QString helpDir, const QString& topic, QWidget* parent = nullptr);

    // Shows the page of a topic, or the contents when there is no such page.
    void showTopic(const QString& topic);
    void showContents();
    QUrl currentPage() const;

private:
    void pageChanged(const QUrl& page);

    QString m_helpDir;
    QTextBrowser* m_browser = nullptr;
    QLabel* m_missing = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_forward = nullptr;
};
