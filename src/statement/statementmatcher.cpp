#include "statementmatcher.h"

#include <QHash>
#include <algorithm>
#include <map>

namespace StatementMatcher {

namespace {

QString normalNumber(const QString& text) {
    QString s = text.trimmed();
    s.remove(QLatin1Char(' '));
    while (s.size() > 1 && s.startsWith(QLatin1Char('0')))
        s.remove(0, 1);
    return s.toUpper();
}

} // namespace

bool sameNumber(const QString& a, const QString& b) {
    const QString left = normalNumber(a);
    return !left.isEmpty() && left == normalNumber(b);
}

QList<Proposal> match(const QList<StatementLine>& lines, const QList<BookEntry>& entries,
                      int dateWindow) {
    QHash<qint64, QList<int>> byAmount;
    QHash<QString, int> byNumber;
    for (int e = 0; e < entries.size(); ++e) {
        byAmount[entries.at(e).bankAmount.units()].append(e);
        byNumber.insert(normalNumber(entries.at(e).transId), e);
    }
    QList<Proposal> proposals(lines.size());
    QList<bool> taken(entries.size(), false);

    // The reference first: the same amount and the number of the transaction.
    for (int l = 0; l < lines.size(); ++l) {
        const StatementLine& line = lines.at(l);
        const QString number = normalNumber(line.reference);
        if (number.isEmpty())
            continue;
        const auto found = byNumber.constFind(number);
        if (found == byNumber.constEnd() || taken.at(*found) ||
            entries.at(*found).bankAmount != line.amount)
            continue;
        proposals[l].kind = Kind::Reference;
        proposals[l].entry = *found;
        proposals[l].days = int(std::abs(entries.at(*found).date.daysTo(line.date)));
        taken[*found] = true;
    }

    // Then the date: pairs within the window, nearest first, level by level.
    std::map<int, QList<std::pair<int, int>>> levels; // days -> (line, entry)
    for (int l = 0; l < lines.size(); ++l) {
        if (proposals.at(l).kind != Kind::None)
            continue;
        const StatementLine& line = lines.at(l);
        QList<std::pair<int, int>> near; // (days, entry)
        for (const int e : byAmount.value(line.amount.units())) {
            const qint64 days = std::abs(entries.at(e).date.daysTo(line.date));
            if (!taken.at(e) && days <= dateWindow)
                near.append({int(days), e});
        }
        std::sort(near.begin(), near.end());
        for (const auto& [days, e] : near) {
            proposals[l].candidates.append(e);
            levels[days].append({l, e});
        }
    }
    QList<bool> contested(entries.size(), false);
    for (const auto& [days, pairs] : levels) {
        QHash<int, int> perLine;
        QHash<int, int> perEntry;
        QList<std::pair<int, int>> open;
        for (const auto& [l, e] : pairs) {
            if (proposals.at(l).kind != Kind::None || taken.at(e) || contested.at(e))
                continue;
            open.append({l, e});
            ++perLine[l];
            ++perEntry[e];
        }
        for (const auto& [l, e] : open) {
            if (perLine.value(l) == 1 && perEntry.value(e) == 1) {
                proposals[l].kind = Kind::Date;
                proposals[l].entry = e;
                proposals[l].days = days;
                taken[e] = true;
            }
        }
        // A tie is the user's to settle: its lines stay unproposed and its transactions are
        // not handed to a farther line.
        for (const auto& [l, e] : open) {
            if (perLine.value(l) > 1 || perEntry.value(e) > 1) {
                proposals[l].kind = Kind::Ambiguous;
                contested[e] = true;
            }
        }
    }
    return proposals;
}

} // namespace StatementMatcher
