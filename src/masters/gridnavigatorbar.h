#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

// The record navigator under a grid: first, previous, next and last buttons around a
// caption that shows the position ("Account: 3 of 120"). It only asks for moves; the
// window decides whether the current row may be left.
class GridNavigatorBar : public QWidget {
    Q_OBJECT
public:
    explicit GridNavigatorBar(QWidget* parent = nullptr);

    QString caption() const;
    void setCaption(const QString& caption);

signals:
    void firstRequested();
    void previousRequested();
    void nextRequested();
    void lastRequested();

private:
    QToolButton* addButton(const char* name, const QString& text, const QString& accessible);
    QLabel* m_caption = nullptr;
};
