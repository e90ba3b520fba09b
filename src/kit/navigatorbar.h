#pragma once

#include "data/recordnavigator.h"

#include <QWidget>
#include <functional>

class QLabel;
class QToolButton;

// The record navigator's bar: first, previous, next and last buttons around a caption
// that shows the position. The window names it (setObjectName, e.g. "Adodc1"), supplies
// the caption text and decides, through the navigator's before-move check, whether a
// move may leave the current row.
//
// Keyboard: the buttons take focus with Tab; Ctrl+Home, Ctrl+PgUp, Ctrl+PgDown and
// Ctrl+End move to the first, previous, next and last row anywhere in the window.
class NavigatorBar : public QWidget {
    Q_OBJECT
public:
    explicit NavigatorBar(QWidget* parent);

    // The navigator the buttons drive; the caption follows its moves.
    void setNavigator(RecordNavigator* navigator);
    RecordNavigator* navigator() const { return m_navigator; }

    // The caption for a position and a count (position 0 and count 0 for an empty set).
    void setCaptionText(std::function<QString(qint64 position, qint64 count)> caption);
    // Runs every button press; by default the move is simply made. A window passes its
    // handler guard here so that a failure is reported with its own routine label.
    void
    setMoveRunner(std::function<void(RecordNavigator::Move, const std::function<void()>&)> runner);

    QString caption() const;
    // Rewrites the caption from the navigator's position and count.
    void refresh();

    // Makes a move as its button would.
    void move(RecordNavigator::Move move);

private:
    QToolButton* addButton(const char* name, const QString& text, const QString& accessible,
                           RecordNavigator::Move move);

    RecordNavigator* m_navigator = nullptr;
    QLabel* m_caption = nullptr;
    std::function<QString(qint64, qint64)> m_captionText;
    std::function<void(RecordNavigator::Move, const std::function<void()>&)> m_runner;
};
