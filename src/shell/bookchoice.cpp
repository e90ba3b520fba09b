#include "bookchoice.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kBookName = QStringLiteral("cashbook.mdb");

} // namespace

BookChoice BookChoice::choose(const BookPlaces& places) {
    const QString beside = QDir(places.programFolder).filePath(kBookName);
    if (QFileInfo::exists(beside))
        return {beside, false};
    // Only the last book: an older one opened silently in its place would be mistaken for it.
    if (!places.recent.isEmpty() && QFileInfo::exists(places.recent.first()))
        return {places.recent.first(), false};
    const QString data = QDir(places.dataFolder).filePath(kBookName);
    return {data, !QFileInfo::exists(data)};
}

QString shownBookPath(const QString& path) {
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString home = QDir::cleanPath(QDir::homePath());
    if (home != QLatin1String("/") && clean.startsWith(home + QLatin1Char('/')))
        return QDir::toNativeSeparators(QLatin1Char('~') + clean.mid(home.size()));
    return QDir::toNativeSeparators(clean);
}
