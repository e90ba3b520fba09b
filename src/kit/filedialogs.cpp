#include "filedialogs.h"

#include "data/messages.h"
#include "kit/prompts.h"

#include <QFileInfo>

bool confirmNewFile(Prompts& prompts, const FileDialogRequest& request, const QString& path) {
    if (!request.confirmCreate || QFileInfo::exists(path))
        return true;
    return prompts.ask(Messages::createFileQuestion(path), Prompts::Answer::Yes);
}
