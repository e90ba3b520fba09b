#include "navigatorbar.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>
#include <QToolButton>

NavigatorBar::NavigatorBar(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(addButton("navFirst", QStringLiteral("|<"), QStringLiteral("First record"),
                                RecordNavigator::Move::First));
    layout->addWidget(addButton("navPrevious", QStringLiteral("<"),
                                QStringLiteral("Previous record"),
                                RecordNavigator::Move::Previous));
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("navCaption"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setFrameShape(QFrame::StyledPanel);
    m_caption->setMinimumWidth(220);
    layout->addWidget(m_caption, 1);
    layout->addWidget(addButton("navNext", QStringLiteral(">"), QStringLiteral("Next record"),
                                RecordNavigator::Move::Next));
    layout->addWidget(addButton("navLast", QStringLiteral(">|"), QStringLiteral("Last record"),
                                RecordNavigator::Move::Last));

    const struct {
        QKeySequence keys;
        RecordNavigator::Move move;
    } shortcuts[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Home), RecordNavigator::Move::First},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), RecordNavigator::Move::Previous},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), RecordNavigator::Move::Next},
        {QKeySequence(Qt::CTRL | Qt::Key_End), RecordNavigator::Move::Last},
    };
    for (const auto& entry : shortcuts) {
        auto* shortcut = new QShortcut(entry.keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        const RecordNavigator::Move move = entry.move;
        connect(shortcut, &QShortcut::activated, this, [this, move] {
            // A disabled bar (a row being added) takes no keys either.
            if (isEnabled() && isVisible())
                this->move(move);
        });
    }
    setAccessibleName(QStringLiteral("Record navigator"));
}

QToolButton* NavigatorBar::addButton(const char* name, const QString& text,
                                     const QString& accessible, RecordNavigator::Move move) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(accessible);
    button->setAccessibleName(accessible);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoRaise(false);
    connect(button, &QToolButton::clicked, this, [this, move] { this->move(move); });
    return button;
}

void NavigatorBar::setNavigator(RecordNavigator* navigator) {
    m_navigator = navigator;
    if (m_navigator)
        connect(m_navigator, &RecordNavigator::moved, this, &NavigatorBar::refresh);
    refresh();
}

void NavigatorBar::setCaptionText(std::function<QString(qint64, qint64)> caption) {
    m_captionText = std::move(caption);
    refresh();
}

void NavigatorBar::setMoveRunner(
    std::function<void(RecordNavigator::Move, const std::function<void()>&)> runner) {
    m_runner = std::move(runner);
}

QString NavigatorBar::caption() const {
    return m_caption->text();
}

void NavigatorBar::refresh() {
    const qint64 count = m_navigator ? m_navigator->count() : 0;
    const qint64 position = count ? m_navigator->position() : 0;
    m_caption->setText(m_captionText ? m_captionText(position, count)
                                     : QStringLiteral("%1 of %2").arg(position).arg(count));
}

void NavigatorBar::move(RecordNavigator::Move move) {
    if (!m_navigator)
        return;
    auto body = [this, move] {
        switch (move) {
        case RecordNavigator::Move::First:
            m_navigator->first();
            break;
        case RecordNavigator::Move::Previous:
            m_navigator->previous();
            break;
        case RecordNavigator::Move::Next:
            m_navigator->next();
            break;
        case RecordNavigator::Move::Last:
            m_navigator->last();
            break;
        }
    };
    if (m_runner)
        m_runner(move, body);
    else
        body();
}
