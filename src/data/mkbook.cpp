// Makes the template book. Used by the build to put a fresh book beside the program
// when none is there, and by the benchmark generator.
#include "failure.h"
#include "schema.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool ifMissing = args.removeAll(QStringLiteral("--if-missing")) > 0;
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: quillan_mkbook [--if-missing] PATH\n");
        return 2;
    }
    const QString path = args.first();
    if (QFileInfo::exists(path)) {
        if (ifMissing) {
            std::printf("Book %s already exists; left as it is.\n", qPrintable(path));
            return 0;
        }
        std::fprintf(stderr, "%s already exists; it is never overwritten.\n", qPrintable(path));
        return 1;
    }
    try {
        Schema::createBook(path);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "Cannot make the book: %s\n", qPrintable(failure.description()));
        return 1;
    }
    std::printf("Made the template book %s\n", qPrintable(path));
    return 0;
}
