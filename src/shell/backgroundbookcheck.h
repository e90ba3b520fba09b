#pragma once

#include <QObject>
#include <QString>

class QThread;
struct Services;

// The quick check of the book's pages (BookCheck), run on a thread and a connection of its
// own once the main window is up, so start-up does not wait for it. Damage found is told to
// the user, with the last backup to restore. Owned by the main window; its end waits for
// the check.
class BackgroundBookCheck : public QObject {
    Q_OBJECT
public:
    BackgroundBookCheck(Services& services, QObject* parent);
    ~BackgroundBookCheck() override;

    bool isDone() const { return m_done; }

signals:
    // The problems found, empty for a sound book; after the user was told.
    void done(const QString& problems);

private:
    void report();

    Services& m_services;
    QString m_bookPath;
    QString m_problems;
    QThread* m_thread = nullptr;
    bool m_done = false;
};
