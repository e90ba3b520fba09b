#pragma once

#include <QHash>
#include <QList>
#include <algorithm>

// The pages of rows a list model over a large ordered set keeps, each page read only when
// it is first shown. Read is a function (from, after, limit) returning up to limit rows in
// order after (or, with after false, before, nearest first) the row `from`, or from the
// start (end) of the set when `from` is null; Offset is a function (offset, limit) for a
// page no kept page or end is near (a jump of the scroll bar).
namespace PageCache {

// At most this many pages are kept; past it the cache starts again.
constexpr int kPagesKept = 64;

template <typename Page, typename Beside, typename Offset>
Page readPage(const QHash<int, Page>& pages, int index, int pageRows, int count,
              const Beside& readBeside, const Offset& readOffset) {
    const int start = index * pageRows;
    const int rows = std::min(pageRows, count - start);
    // From a neighbouring page by key; from either end; else by counting rows from the start.
    const auto reversed = [](Page page) {
        std::reverse(page.begin(), page.end());
        return page;
    };
    if (const auto before = pages.constFind(index - 1);
        before != pages.cend() && before->size() == pageRows)
        return readBeside(&before->last(), true, rows);
    if (const auto after = pages.constFind(index + 1); after != pages.cend() && !after->isEmpty())
        return reversed(readBeside(&after->first(), false, rows));
    if (index == 0)
        return readBeside(nullptr, true, rows);
    if (start + rows == count)
        return reversed(readBeside(nullptr, false, rows));
    return readOffset(start, rows);
}

// The kept page `index`, read by `read(index)` when it is not kept.
template <typename Page, typename Read>
const Page& page(QHash<int, Page>& pages, int index, const Read& read) {
    auto it = pages.constFind(index);
    if (it != pages.cend())
        return *it;
    Page rows = read(index);
    if (pages.size() >= kPagesKept)
        pages.clear();
    return *pages.insert(index, std::move(rows));
}

} // namespace PageCache
