#include "gridnavigatorbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

GridNavigatorBar::GridNavigatorBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("datPrimaryRS"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    QToolButton* first =
        addButton("navFirst", QStringLiteral("|<"), QStringLiteral("First record"));
    QToolButton* previous =
        addButton("navPrevious", QStringLiteral("<"), QStringLiteral("Previous record"));
    layout->addWidget(first);
    layout->addWidget(previous);
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("lblPosition"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setFrameShape(QFrame::Panel);
    m_caption->setFrameShadow(QFrame::Sunken);
    layout->addWidget(m_caption, 1);
    QToolButton* next = addButton("navNext", QStringLiteral(">"), QStringLiteral("Next record"));
    QToolButton* last = addButton("navLast", QStringLiteral(">|"), QStringLiteral("Last record"));
    layout->addWidget(next);
    layout->addWidget(last);
    connect(first, &QToolButton::clicked, this, &GridNavigatorBar::firstRequested);
    connect(previous, &QToolButton::clicked, this, &GridNavigatorBar::previousRequested);
    connect(next, &QToolButton::clicked, this, &GridNavigatorBar::nextRequested);
    connect(last, &QToolButton::clicked, this, &GridNavigatorBar::lastRequested);
}

QToolButton* GridNavigatorBar::addButton(const char* name, const QString& text,
                                         const QString& accessible) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(accessible);
    button->setAccessibleName(accessible);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QString GridNavigatorBar::caption() const {
    return m_caption->text();
}

void GridNavigatorBar::setCaption(const QString& caption) {
    m_caption->setText(caption);
    m_caption->setAccessibleName(caption);
}
