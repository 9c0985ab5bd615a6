// The answer matchers fed an answer one byte at a time, as a modem at the
// real line rate delivers it. Input: a length byte (pattern of 0 to 8
// bytes), a tail byte, the pattern, then the answer.
//
// After every byte the matchers are stepped until they stop moving, as an
// exchange does while input keeps coming; the outcome must then be the
// one a single look at the whole buffer gives, so no byte can be missed
// or counted twice however the answer is cut up.
#include "link/core/answermatch.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

struct Greedy {
    int chars = 0;
    bool matched = false;
};

// The in-order match on the whole buffer at once.
Greedy WholeBufferMatch(const QByteArray &pattern, int tail, const QByteArray &buffer)
{
    Greedy g;
    int p = 0;
    for (const char c : pattern) {
        const int q = buffer.indexOf(c, p);
        if (q < 0)
            break;
        p = q;
        ++g.chars;
    }
    g.matched = !pattern.isEmpty() && g.chars == pattern.size() && p + tail <= buffer.size();
    return g;
}

bool AtLineStart(const QByteArray &text, const QByteArray &buffer)
{
    if (text.isEmpty())
        return false;
    for (int at = buffer.indexOf(text); at >= 0; at = buffer.indexOf(text, at + 1)) {
        if (at == 0 || buffer.at(at - 1) == '\r' || buffer.at(at - 1) == '\n')
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int length = data[0] % 9;
    const int tail = data[1] % 4;
    if (size < size_t(2 + length))
        return 0;
    const QByteArray pattern(reinterpret_cast<const char *>(data + 2), length);
    const char *answer = reinterpret_cast<const char *>(data + 2 + length);
    const int answerSize = int(size) - 2 - length;

    telvio::PatternMatch match(pattern, tail);
    telvio::LineStartSearch search(pattern);
    QByteArray buffer;
    bool matched = false;
    bool found = false;
    for (int i = 0; i < answerSize; ++i) {
        buffer.append(answer[i]);

        // Each pass moves at most one pattern character on, and the tail
        // once: anything beyond that is a matcher that never settles.
        int passes = 0;
        do {
            matched = match.Step(buffer);
            if (++passes > length + 2)
                abort();
        } while (!matched && match.Advanced());
        const Greedy whole = WholeBufferMatch(pattern, tail, buffer);
        if (matched != whole.matched || match.Matched() != matched)
            abort();
        if (!matched && match.CharsMatched() != whole.chars)
            abort();

        if (!found) {
            // Each rejected find moves the search on by at least one byte.
            passes = 0;
            do {
                found = search.Step(buffer);
                if (++passes > buffer.size() + 2)
                    abort();
            } while (!found && search.Advanced());
            if (found != AtLineStart(pattern, buffer))
                abort();
        }
    }
    return 0;
}
