#include "commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

CommandLine CommandLine::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Quillan, a cashbook for a business's bank account, kept in a book file."));
    // Not addHelpOption(): its --help-all lists Qt's own options, of no use here.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption makeNew(QStringLiteral("new"),
                                     QStringLiteral("Make a new book at BOOK from the template "
                                                    "and open it; an existing file is refused."),
                                     QStringLiteral("BOOK"));
    parser.addOption(makeNew);
    parser.addPositionalArgument(
        QStringLiteral("BOOK"),
        QStringLiteral("The book to open. Without one, the book beside the program, else the "
                       "last book opened."),
        QStringLiteral("[BOOK]"));

    CommandLine line;
    const auto refuse = [&line](const QString& text) {
        line.action = Action::Refuse;
        line.text = text + QLatin1Char('\n');
        return line;
    };
    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (parser.isSet(help)) {
        line.action = Action::Print;
        // The usage line names the program as it is installed, not the path it was run by.
        const QString text = parser.helpText();
        line.text = QStringLiteral("Usage: quillan [options] [BOOK]") +
                    text.mid(text.indexOf(QLatin1Char('\n')));
        return line;
    }
    if (parser.isSet(version)) {
        line.action = Action::Print;
        line.text = QStringLiteral("Quillan %1\n").arg(QCoreApplication::applicationVersion());
        return line;
    }
    const QStringList books = parser.positionalArguments();
    if (parser.isSet(makeNew)) {
        if (!books.isEmpty() || parser.value(makeNew).isEmpty())
            return refuse(QStringLiteral("--new names the book to make; no other book is given."));
        line.action = Action::New;
        line.book = parser.value(makeNew);
        return line;
    }
    if (books.size() > 1)
        return refuse(QStringLiteral("One book at a time: %1 were given.").arg(books.size()));
    line.book = books.value(0);
    return line;
}
