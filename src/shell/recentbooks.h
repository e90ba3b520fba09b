#pragma once

#include <QStringList>

class QSettings;

// The books opened last, the last first, kept in the user's settings for the File menu and
// for start-up's choice of book. A book is named once, by its absolute path.
class RecentBooks {
public:
    static constexpr int kKept = 5;

    explicit RecentBooks(QSettings& settings) : m_settings(settings) {}

    QStringList books() const;
    // Puts the book opened at the head of the list.
    void opened(const QString& path);

private:
    QSettings& m_settings;
};
