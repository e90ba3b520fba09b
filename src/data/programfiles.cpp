#include "programfiles.h"

#include <QDir>
#include <QFileInfo>

namespace ProgramFiles {

QString dataFolder(const QString& programDir) {
    const QString installed = QDir::cleanPath(programDir + QStringLiteral("/../share/quillan"));
    return QFileInfo(installed).isDir() ? installed : QDir::cleanPath(programDir);
}

QString helpFolder(const QString& programDir) {
    return dataFolder(programDir) + QStringLiteral("/help");
}

QString templateBook(const QString& programDir) {
    return dataFolder(programDir) + QStringLiteral("/template.mdb");
}

} // namespace ProgramFiles
