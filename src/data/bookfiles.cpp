#include "bookfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <filesystem>

namespace {

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(QDir::toNativeSeparators(path).toStdWString());
}

bool sameFile(const QString& a, const QString& b) {
    std::error_code error;
    return std::filesystem::equivalent(fsPath(a), fsPath(b), error) && !error;
}

// The path a write to path would reach: links are followed until a file or a name that
// does not exist. A loop of links gives up and is treated as the last name reached.
QString followLinks(QString path) {
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return info.absoluteFilePath();
        path = info.symLinkTarget();
    }
    return QFileInfo(path).absoluteFilePath();
}

// A file system that ignores case finds the book under its name with the case changed.
bool ignoresCase(const QString& bookPath) {
    const QFileInfo book(bookPath);
    const QString name = book.fileName();
    const QString flipped = name.toUpper() != name ? name.toUpper() : name.toLower();
    if (flipped == name)
        return false;
    return sameFile(bookPath, book.absoluteDir().filePath(flipped));
}

} // namespace

bool isBookFile(const QString& target, const QString& bookPath) {
    if (target.isEmpty() || bookPath.isEmpty())
        return false;
    const QString reached = followLinks(target);
    const bool exists = QFileInfo::exists(reached);
    const QString folder = QFileInfo(reached).absolutePath();
    const QString name = QFileInfo(reached).fileName();
    const Qt::CaseSensitivity cs = ignoresCase(bookPath) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const QStringList suffixes = {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"),
                                  QStringLiteral("-shm")};
    for (const QString& suffix : suffixes) {
        const QString bookFile = bookPath + suffix;
        if (QFileInfo::exists(bookFile)) {
            // Two existing names are one file only when they are the same file.
            if (exists && sameFile(reached, bookFile))
                return true;
        } else if (!exists) {
            // Neither exists yet: the same name in the same folder would become that file.
            const QFileInfo info(bookFile);
            if (sameFile(folder, info.absolutePath()) && name.compare(info.fileName(), cs) == 0)
                return true;
        }
    }
    return false;
}
