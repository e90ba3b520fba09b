#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do on its command line: `quillan [BOOK]` opens that book (or,
// with none, the one start-up chooses), `--new BOOK` makes a fresh book there and opens it,
// `--help` and `--version` print and end. Read before any window exists, so the printing
// ones work without a display.
struct CommandLine {
    enum class Action {
        Open,  // open `book`, or choose one when it is empty
        New,   // make a new book at `book` and open it
        Print, // print `text` and end
        Refuse // print `text` as an error and end
    };
    Action action = Action::Open;
    QString book;
    QString text;

    // `arguments` as the program received them, the program's name first.
    static CommandLine parse(const QStringList& arguments);
};
