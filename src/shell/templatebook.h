#pragma once

#include <QString>

// Makes a new book at path from the template: the template rows, the sample chart, the
// current format. Refuses (Failure) an existing file and leaves nothing half made.
void makeBookFromTemplate(const QString& path);
