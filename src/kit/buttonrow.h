#pragma once

#include <QString>
#include <functional>

class QBoxLayout;
class QHBoxLayout;
class QPushButton;
class QWidget;
struct Services;

// The right-aligned row of command buttons at the foot of a dialog (Save, Close, ...).
// No button is an auto-default, so Return in a field never presses one, and every click
// runs through the handler guard labelled with the window and the button's name.
class ButtonRow {
public:
    // Adds the row at the end of `layout`; `form` labels the handlers' error reports.
    ButtonRow(QWidget* window, QBoxLayout* layout, Services& services, QString form);

    // A button named `name` at the right end of the row; a click runs `clicked`.
    QPushButton* add(const QString& name, const QString& caption, std::function<void()> clicked);

private:
    QWidget* m_window;
    QHBoxLayout* m_row;
    Services& m_services;
    QString m_form;
};
