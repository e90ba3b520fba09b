#pragma once

#include <QString>
#include <QStringList>

// Where start-up looks for a book when none is named on the command line.
struct BookPlaces {
    // The program's own folder: a book there is used first (a build folder keeps its book
    // beside the program).
    QString programFolder;
    // The user's data folder (QStandardPaths::AppDataLocation): where an installed program
    // keeps its first book.
    QString dataFolder;
    // The books opened before, the last first (RecentBooks).
    QStringList recent;
};

// The book start-up opens when none is named: the book beside the program when its folder
// holds one; else the last book opened, while it is still there; else the book in the data
// folder, which is to be made (after a question) when it is not there yet.
struct BookChoice {
    QString path;
    bool isNew = false;

    static BookChoice choose(const BookPlaces& places);
};

// A book's path as the user reads it in menus and titles: the home folder shown as ~.
QString shownBookPath(const QString& path);
