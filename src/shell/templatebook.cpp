#include "templatebook.h"

#include "data/schema.h"

void makeBookFromTemplate(const QString& path) {
    Schema::createBook(path);
}
