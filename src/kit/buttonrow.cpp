#include "buttonrow.h"

#include "kit/handlerguard.h"

#include <QBoxLayout>
#include <QHBoxLayout>
#include <QPushButton>

ButtonRow::ButtonRow(QWidget* window, QBoxLayout* layout, Services& services, QString form)
    : m_window(window), m_row(new QHBoxLayout), m_services(services), m_form(std::move(form)) {
    m_row->addStretch(1);
    layout->addLayout(m_row);
}

QPushButton* ButtonRow::add(const QString& name, const QString& caption,
                            std::function<void()> clicked) {
    auto* button = new QPushButton(caption, m_window);
    button->setObjectName(name);
    button->setAutoDefault(false);
    m_row->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, m_window,
                     [&services = m_services, form = m_form, name, clicked = std::move(clicked)] {
                         guarded(services, form, name, clicked);
                     });
    return button;
}
