#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// One positioned thing on a laid-out page, in points from the paper's top-left corner.
struct PageItem {
    enum class Kind { Text, Line, Box };
    Kind kind = Kind::Text;
    QRectF rect;
    QString text;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    qreal fontSize = 8;
    bool bold = false;
    bool wrap = false;
    // Never cut short: set smaller when wider than its box (an amount).
    bool whole = false;
};

// A page laid out and ready to paint on any device.
struct ReportPage {
    int number = 0; // from 1
    QList<PageItem> items;

    // The texts of the page in the order they were laid out.
    QStringList texts() const {
        QStringList result;
        for (const PageItem& item : items) {
            if (item.kind == PageItem::Kind::Text)
                result << item.text;
        }
        return result;
    }
};
