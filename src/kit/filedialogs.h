#pragma once

#include <QString>
#include <optional>

class Prompts;

// The settings of a save or open dialog.
struct FileDialogRequest {
    QString title;
    // Filters as "Description (*.ext)|*.ext|..." pairs; the first is selected.
    QString filter;
    QString defaultSuffix;
    QString directory;
    QString fileName;
    // The dialog itself asks before an existing file is replaced.
    bool confirmOverwrite = true;
    // Asked by chooseSaveFile() once the dialog has closed, through the program's prompts,
    // so the question is the same in every dialog and can be answered in tests.
    bool confirmCreate = false;
};

// The save dialog of a comma-delimited export file ("Save comma delimited export file",
// text files, in the application's folder, asking before it replaces or creates a file).
FileDialogRequest exportFileRequest(const QString& directory, const QString& fileName);

// Save and open dialogs; nothing for a cancelled dialog.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
};

// The save dialog and its question before a new file is created, which belongs to the
// dialog: No shows the dialog again. A path naming the book at bookPath or one of its working
// files (isBookFile) comes back without the question, for the caller to refuse. Nothing when
// the dialog was cancelled.
std::optional<QString> chooseSaveFile(FileDialogs& dialogs, Prompts& prompts,
                                      const FileDialogRequest& request, const QString& bookPath);
