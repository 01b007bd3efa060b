#include "engine/UnifiedDiff.h"

#include <algorithm>
#include <vector>

namespace Wrenfold {

namespace {

enum class TEdit { Keep, Remove, Add };

// The shortest edit script from AOld to ANew (Myers' algorithm). Beyond MaxDistance edits the
// texts are taken as different throughout: everything removed, then everything added.
std::vector<TEdit> EditScript(const QStringList& AOld, const QStringList& ANew) {
    constexpr int MaxDistance = 4000;
    const int n = int(AOld.size()), m = int(ANew.size());
    // Common lines at both ends need no search.
    int head = 0;
    while (head < n && head < m && AOld[head] == ANew[head])
        ++head;
    int tail = 0;
    while (tail < n - head && tail < m - head && AOld[n - 1 - tail] == ANew[m - 1 - tail])
        ++tail;
    const int a = n - head - tail, b = m - head - tail;
    std::vector<TEdit> middle;
    const int limit = std::min(a + b, MaxDistance);
    const int offset = limit + 1;
    std::vector<int> v(size_t(2 * limit + 3), 0);
    std::vector<std::vector<int>> trace;
    int found = -1;
    for (int d = 0; d <= limit && found < 0; ++d) {
        trace.push_back(v);
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[size_t(offset + k - 1)] < v[size_t(offset + k + 1)]))
                        ? v[size_t(offset + k + 1)]
                        : v[size_t(offset + k - 1)] + 1;
            int y = x - k;
            while (x < a && y < b && AOld[head + x] == ANew[head + y])
                ++x, ++y;
            v[size_t(offset + k)] = x;
            if (x >= a && y >= b) {
                found = d;
                break;
            }
        }
    }
    if (found < 0) {
        middle.assign(size_t(a), TEdit::Remove);
        middle.insert(middle.end(), size_t(b), TEdit::Add);
    } else {
        // Walk the trace back from the end.
        int x = a, y = b;
        for (int d = found; d > 0; --d) {
            const std::vector<int>& w = trace[size_t(d)];
            const int k = x - y;
            const bool down = k == -d || (k != d && w[size_t(offset + k - 1)] < w[size_t(offset + k + 1)]);
            const int prevK = down ? k + 1 : k - 1;
            const int prevX = w[size_t(offset + prevK)], prevY = prevX - prevK;
            while (x > prevX && y > prevY)
                middle.push_back(TEdit::Keep), --x, --y;
            middle.push_back(down ? TEdit::Add : TEdit::Remove);
            x = prevX;
            y = prevY;
        }
        while (x > 0 && y > 0)
            middle.push_back(TEdit::Keep), --x, --y;
        std::reverse(middle.begin(), middle.end());
    }
    std::vector<TEdit> script(size_t(head), TEdit::Keep);
    script.insert(script.end(), middle.begin(), middle.end());
    script.insert(script.end(), size_t(tail), TEdit::Keep);
    return script;
}

// "start,count" of a hunk's side; an empty side names the line before it.
QString Range(int AStart, int ACount) {
    if (ACount == 1) return QString::number(AStart + 1);
    return QStringLiteral("%1,%2").arg(ACount == 0 ? AStart : AStart + 1).arg(ACount);
}

} // namespace

QString UnifiedDiff(const QStringList& AOld, const QStringList& ANew, const QString& AOldName,
                    const QString& ANewName, int AContext) {
    const std::vector<TEdit> script = EditScript(AOld, ANew);
    if (std::all_of(script.begin(), script.end(), [](TEdit e) { return e == TEdit::Keep; })) return QString();
    QString result = QStringLiteral("--- %1\n+++ %2\n").arg(AOldName, ANewName);
    const int count = int(script.size());
    int i = 0, oldLine = 0, newLine = 0;
    while (i < count) {
        if (script[size_t(i)] == TEdit::Keep) {
            ++i, ++oldLine, ++newLine;
            continue;
        }
        // A hunk: AContext lines before this change, every change that follows within 2 * AContext
        // kept lines of the one before it, and AContext lines after the last of them.
        const int before = std::min(AContext, std::min(oldLine, newLine));
        int lastChange = i;
        for (int j = i; j < count;) {
            if (script[size_t(j)] != TEdit::Keep) {
                lastChange = j++;
                continue;
            }
            int k = j;
            while (k < count && script[size_t(k)] == TEdit::Keep)
                ++k;
            if (k == count || k - j > 2 * AContext) break;
            j = k;
        }
        const int end = lastChange + 1;
        const int after = std::min(AContext, count - end);
        int oldStart = oldLine - before, newStart = newLine - before, oldCount = 0, newCount = 0;
        QString body;
        for (int j = 0; j < before; ++j)
            body += u' ' + AOld[oldStart + j] + u'\n';
        oldCount = newCount = before;
        for (int j = i; j < end + after; ++j) {
            switch (script[size_t(j)]) {
            case TEdit::Keep:
                body += u' ' + AOld[oldLine] + u'\n';
                ++oldLine, ++newLine, ++oldCount, ++newCount;
                break;
            case TEdit::Remove:
                body += u'-' + AOld[oldLine] + u'\n';
                ++oldLine, ++oldCount;
                break;
            case TEdit::Add:
                body += u'+' + ANew[newLine] + u'\n';
                ++newLine, ++newCount;
                break;
            }
        }
        result +=
            QStringLiteral("@@ -%1 +%2 @@\n").arg(Range(oldStart, oldCount), Range(newStart, newCount)) +
            body;
        i = end + after;
    }
    return result;
}

} // namespace Wrenfold
