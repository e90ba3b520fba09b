#include "templatebook.h"

#include "data/failure.h"
#include "data/programfiles.h"
#include "data/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void makeBookFromTemplate(const QString& path, const QString& programDir) {
    const QString shown = QDir::toNativeSeparators(path);
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        throw Failure(ErrorNumber::FileAlreadyExists,
                      QStringLiteral("The file %1 already exists.").arg(shown));
    const QString templateBook = ProgramFiles::templateBook(programDir);
    if (!QFileInfo(templateBook).isFile()) {
        Schema::createBook(path);
        return;
    }
    // Copied under a name of its own, then renamed: a copy cut short is never a book.
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    if (!QFile::copy(templateBook, partial) ||
        !QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                            QFile::ReadOther) ||
        !QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw Failure(ErrorNumber::PathFileAccessError,
                      QStringLiteral("The template book %1 cannot be copied to %2.")
                          .arg(QDir::toNativeSeparators(templateBook), shown));
    }
}
