#include "filedialogs.h"

#include "data/bookfiles.h"
#include "data/messages.h"
#include "kit/prompts.h"

#include <QFileInfo>

namespace {

// True when the request does not ask, when path names an existing file, or on Yes.
bool confirmNewFile(Prompts& prompts, const FileDialogRequest& request, const QString& path) {
    if (!request.confirmCreate || QFileInfo::exists(path))
        return true;
    return prompts.ask(Messages::createFileQuestion(path), Prompts::Answer::Yes);
}

} // namespace

FileDialogRequest exportFileRequest(const QString& directory, const QString& fileName) {
    FileDialogRequest request;
    request.title = QStringLiteral("Save comma delimited export file");
    request.filter = QStringLiteral("Export Files (*.txt)|*.txt");
    request.defaultSuffix = QStringLiteral("txt");
    request.directory = directory;
    request.fileName = fileName;
    request.confirmOverwrite = true;
    request.confirmCreate = true;
    return request;
}

std::optional<QString> chooseSaveFile(FileDialogs& dialogs, Prompts& prompts,
                                      const FileDialogRequest& request, const QString& bookPath) {
    for (;;) {
        const std::optional<QString> path = dialogs.saveFileName(request);
        if (!path || isBookFile(*path, bookPath) || confirmNewFile(prompts, request, *path))
            return path;
    }
}
