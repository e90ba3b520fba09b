#include "booksession.h"

#include "data/failure.h"
#include "data/messages.h"
#include "kit/services.h"
#include "shell/backgroundbookcheck.h"
#include "shell/startup.h"
#include "shell/switchboardwindow.h"
#include "shell/templatebook.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <optional>
#include <utility>

namespace {

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

FileDialogRequest bookRequest(const QString& title, const QString& directory) {
    FileDialogRequest request;
    request.title = title;
    request.filter = QStringLiteral("Quillan books (*.mdb)|*.mdb|All files (*)|*");
    request.defaultSuffix = QStringLiteral("mdb");
    request.directory = directory;
    return request;
}

} // namespace

BookSession::BookSession(Services& services, QSettings& settings, BookPlaces places)
    : m_services(services), m_recent(settings), m_places(std::move(places)) {}

BookSession::~BookSession() = default;

bool BookSession::start(const CommandLine& line) {
    QString path = line.book.isEmpty() ? QString() : absolute(line.book);
    if (line.action == CommandLine::Action::New) {
        if (!make(path))
            return false;
    } else if (path.isEmpty()) {
        BookPlaces places = m_places;
        places.recent = m_recent.books();
        const BookChoice choice = BookChoice::choose(places);
        path = choice.path;
        if (choice.isNew &&
            (!m_services.prompts.ask(Messages::firstBookQuestion(path), Prompts::Answer::Yes) ||
             !make(path)))
            return false;
    } else if (!QFileInfo::exists(path)) {
        m_services.prompts.critical(Messages::missingBook(path));
        return false;
    }
    return open(path);
}

void BookSession::openBook() {
    const FileDialogRequest request =
        bookRequest(QStringLiteral("Open Book"), m_services.bookFolder());
    if (const std::optional<QString> path = m_services.fileDialogs.openFileName(request))
        switchTo(*path);
}

void BookSession::newBook() {
    FileDialogRequest request = bookRequest(QStringLiteral("New Book"), m_services.bookFolder());
    // An existing file is refused, not replaced, so the dialog does not offer to replace it.
    request.confirmOverwrite = false;
    if (const std::optional<QString> path = m_services.fileDialogs.saveFileName(request))
        switchTo(*path, true);
}

bool BookSession::switchTo(const QString& chosen, bool makeIt) {
    const QString path = absolute(chosen);
    const QString previous = m_services.bookPath();
    // Nothing of the open book is touched for a book that cannot be had.
    if (makeIt && QFileInfo::exists(path)) {
        m_services.prompts.critical(Messages::bookExists(path));
        return false;
    }
    if (!makeIt && !QFileInfo::exists(path)) {
        m_services.prompts.critical(Messages::missingBook(path));
        return false;
    }
    if (!makeIt && QFileInfo(path) == QFileInfo(previous))
        return true;
    if (!m_window)
        return (!makeIt || make(path)) && open(path);
    if (!closeBookWindows())
        return false;
    if (makeIt && !make(path))
        return false;

    // The old window stays up until the new one is (a message box closing with no window
    // left would end the program) and goes once its command has returned; its check stops
    // now, before the connection it reads beside is closed.
    std::unique_ptr<SwitchboardWindow> old = std::move(m_window);
    delete old->findChild<BackgroundBookCheck*>();
    m_services.db.close();
    m_services.bookLock.release();
    const bool opened = open(path, true);
    if (!opened && !open(previous))
        m_services.endProgram();
    old->hide();
    old.release()->deleteLater();
    return opened;
}

bool BookSession::make(const QString& path) {
    if (QFileInfo::exists(path)) {
        m_services.prompts.critical(Messages::bookExists(path));
        return false;
    }
    try {
        QDir().mkpath(QFileInfo(path).absolutePath());
        makeBookFromTemplate(path, m_services.appDir);
    } catch (const Failure& failure) {
        m_services.prompts.critical(Messages::bookNotMade(path, failure.description()));
        return false;
    }
    return true;
}

bool BookSession::open(const QString& path, bool inPlaceOfAnother) {
    m_services.book = path;
    m_window = Main(m_services, inPlaceOfAnother);
    if (!m_window)
        return false;
    m_recent.opened(path);
    bindBookCommands();
    return true;
}

bool BookSession::closeBookWindows() {
    // The topmost first: a window opened from another closes before it.
    QWidgetList windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != m_window.get() && widget->isVisible() && widget->windowType() != Qt::Popup &&
            widget->windowType() != Qt::ToolTip)
            windows.prepend(widget);
    for (QWidget* window : windows)
        if (window->isVisible() && !window->close())
            return false;
    return true;
}

void BookSession::bindBookCommands() {
    SwitchboardWindow& window = *m_window;
    window.bindCommand(QStringLiteral("mnuFileOpenBook"), [this] { openBook(); });
    window.bindCommand(QStringLiteral("mnuFileNewBook"), [this] { newBook(); });
    auto* menu = window.findChild<QMenu*>(QStringLiteral("mnuFile"));
    auto* exit = window.findChild<QAction*>(QStringLiteral("mnuFileExit"));
    const QStringList books = m_recent.books();
    if (!menu || !exit || books.isEmpty())
        return;
    menu->insertSeparator(exit);
    for (int i = 0; i < books.size(); ++i) {
        const QString name = QStringLiteral("mnuFileRecentBook%1").arg(i + 1);
        QString caption = shownBookPath(books.at(i));
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption), menu);
        item->setObjectName(name);
        menu->insertAction(exit, item);
        const QString book = books.at(i);
        window.bindCommand(name, [this, book] { switchTo(book); });
    }
    menu->insertSeparator(exit);
}
