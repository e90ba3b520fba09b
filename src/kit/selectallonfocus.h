#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

// Entering a field selects its whole text, so that typing replaces it, however the field
// was entered (tab, click or access key). Owned by the field.
class SelectAllOnFocus : public QObject {
    Q_OBJECT
public:
    // `field` is the widget that takes the focus; `edit` the text it selects (the same
    // line edit, or the edit of an editable list).
    static void install(QWidget* field, QLineEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SelectAllOnFocus(QWidget* field, QLineEdit* edit);
    QLineEdit* m_edit;
};
