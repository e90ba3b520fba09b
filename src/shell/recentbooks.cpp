#include "recentbooks.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kKey = QStringLiteral("RecentBooks");

} // namespace

QStringList RecentBooks::books() const {
    QStringList books = m_settings.value(kKey).toStringList();
    books.removeAll(QString());
    return books.mid(0, kKept);
}

void RecentBooks::opened(const QString& path) {
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList books = this->books();
    books.removeAll(absolute);
    books.prepend(absolute);
    m_settings.setValue(kKey, books.mid(0, kKept));
    m_settings.sync();
}
