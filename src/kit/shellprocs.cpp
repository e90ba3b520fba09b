#include "shellprocs.h"

#include "data/messages.h"
#include "kit/handlerguard.h"
#include "kit/services.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

void FunctionKeys(Services& services, int& keyCode, int /*shift*/) {
    guarded(services, QString(), QStringLiteral("Function Keys"), [&] {
        switch (keyCode) {
        case Qt::Key_F1:
            break;
        case Qt::Key_F2:
            keyCode = 0;
            Calculator(services);
            break;
        case Qt::Key_F10:
            keyCode = 0;
            Quit(services);
            break;
        case Qt::Key_F3:
        case Qt::Key_F4:
        case Qt::Key_F5:
        case Qt::Key_F6:
        case Qt::Key_F7:
        case Qt::Key_F8:
        case Qt::Key_F9:
        case Qt::Key_F11:
        case Qt::Key_F12:
            keyCode = 0;
            services.prompts.information(Messages::functionKeyList());
            break;
        default:
            break;
        }
    });
}

void DisplayHelp(Services& services) {
    guarded(services, QString(), QStringLiteral("Display Help"), [&] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window)
            window = QApplication::activeWindow();
        // A window without a topic of its own (a message box, a picker) shows its owner's.
        while (window && !window->property("helpTopic").isValid())
            window = window->parentWidget() ? window->parentWidget()->window() : nullptr;
        services.launcher.showHelp(window ? window->property("helpTopic").toString()
                                          : QStringLiteral("index"));
    });
}

void Quit(Services& services) {
    guarded(services, QString(), QStringLiteral("Quit"), [&] {
        if (services.prompts.ask(Messages::quitQuestion()) && services.endProgram)
            services.endProgram();
    });
}

void DisplayAbout(Services& services) {
    guarded(services, QString(), QStringLiteral("Display About"),
            [&] { services.prompts.information(Messages::aboutText()); });
}

void Calculator(Services& services) {
    guarded(services, QString(), QStringLiteral("Calculator"), [&] {
        static const char* const candidates[] = {"gnome-calculator", "kcalc",         "mate-calc",
                                                 "galculator",       "qalculate-gtk", "xcalc"};
        for (const char* name : candidates) {
            const QString program = services.launcher.findExecutable(QString::fromLatin1(name));
            if (program.isEmpty())
                continue;
            if (!services.launcher.startDetached(program, {}))
                throw Failure(
                    ErrorNumber::FileNotFound,
                    QStringLiteral("The calculator %1 could not be started.").arg(program));
            return;
        }
        throw Failure(ErrorNumber::FileNotFound,
                      QStringLiteral("No calculator program was found (looked for "
                                     "gnome-calculator, kcalc, mate-calc, galculator, "
                                     "qalculate-gtk, xcalc)."));
    });
}

void ViewEditor(Services& services, const QString& path) {
    guarded(services, QString(), QStringLiteral("ViewEditor"), [&] {
        const QString program = services.launcher.findExecutable(QStringLiteral("xdg-open"));
        if (program.isEmpty())
            throw Failure(ErrorNumber::FileNotFound,
                          QStringLiteral("No text viewer was found (xdg-open)."));
        if (!services.launcher.startDetached(program, {path}))
            throw Failure(ErrorNumber::FileNotFound,
                          QStringLiteral("The text viewer could not be started for %1.").arg(path));
    });
}

namespace {

class FunctionKeyFilter : public QObject {
public:
    FunctionKeyFilter(QWidget* window, Services& services, QString topic)
        : QObject(window), m_window(window), m_services(services), m_topic(std::move(topic)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        // Only keys meant for this window (its own widgets, not a dialog it opened).
        if (!widget || widget->window() != m_window)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() < Qt::Key_F1 || key->key() > Qt::Key_F12)
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            // Claim function keys so no shortcut takes them before the key press.
            event->accept();
            return false;
        }
        if (key->isAutoRepeat())
            return true;
        int code = key->key();
        if (code == Qt::Key_F1) {
            guarded(m_services, m_window->objectName(), QStringLiteral("KeyDown"),
                    [&] { m_services.launcher.showHelp(m_topic); });
            return true;
        }
        FunctionKeys(m_services, code, int(key->modifiers()));
        return code == 0;
    }

private:
    QWidget* m_window;
    Services& m_services;
    QString m_topic;
};

} // namespace

void installFunctionKeys(QWidget* window, Services& services, const QString& helpTopic) {
    // An application-wide filter sees the key before the focused control does.
    window->setProperty("helpTopic", helpTopic);
    auto* filter = new FunctionKeyFilter(window, services, helpTopic);
    qApp->installEventFilter(filter);
}

void installHelpKey(QWidget* window, Services& services, const QString& helpTopic) {
    window->setProperty("helpTopic", helpTopic);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), window);
    QObject::connect(help, &QShortcut::activated, window, [window, &services, helpTopic] {
        guarded(services, window->objectName(), QStringLiteral("KeyDown"),
                [&services, &helpTopic] { services.launcher.showHelp(helpTopic); });
    });
}
