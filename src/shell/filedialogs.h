#pragma once

#include <QString>
#include <optional>

// The settings of a save or open dialog.
struct FileDialogRequest {
    QString title;
    // Filters as "Description (*.ext)|*.ext|..." pairs; the first is selected.
    QString filter;
    QString defaultSuffix;
    QString directory;
    QString fileName;
    bool confirmOverwrite = true;
    bool confirmCreate = false;
};

// Save and open dialogs; nothing for a cancelled dialog.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
};
