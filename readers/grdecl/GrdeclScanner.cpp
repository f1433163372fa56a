#include "GrdeclScanner.h"

#include "importwidgets/CancelHook.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace quarro {
namespace readers {

namespace {

// How much text lies between two questions to the cancel hook (see bench/README.md).
constexpr std::size_t poll_interval = 16 * 1024;

constexpr std::uint64_t all_values = std::numeric_limits<std::uint64_t>::max();

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// A number as Eclipse files spell it: what std::from_chars reads, and also a leading '+' and the
// Fortran exponent letter D ("0.1D+01"). Infinities and NaN are not numbers of a grid.
bool parseNumber(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    char const* const last = text.data() + text.size();
    std::from_chars_result const parsed = std::from_chars(text.data(), last, value);
    if (parsed.ec == std::errc() && parsed.ptr == last) {
        return std::isfinite(value);
    }
    constexpr std::size_t longest = 64;
    if (text.size() >= longest || text.find_first_of("dD") == std::string_view::npos) {
        return false;
    }
    char buffer[longest];
    std::transform(text.begin(), text.end(), buffer,
                   [](char c) { return c == 'd' || c == 'D' ? 'e' : c; });
    char const* const bufferLast = buffer + text.size();
    std::from_chars_result const retried = std::from_chars(buffer, bufferLast, value);
    return retried.ec == std::errc() && retried.ptr == bufferLast && std::isfinite(value);
}

// Exact powers of ten as doubles: 10^22 is the largest that a double holds exactly.
constexpr double exact_powers_of_ten[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The plain decimals that fill grid files ("2012.345", "-0.5", "7"), read without a call: at
// most 15 digits make an integer below 2^53 that, divided by an exact power of ten, rounds
// exactly as a full conversion does (Clinger's fast path). On anything else (an exponent, more
// digits) it returns false and std::from_chars takes over. `p` moves past the number.
inline bool parsePlainDecimal(char const*& p, char const* end, double& value) {
    char const* q = p;
    bool const negative = q != end && *q == '-';
    if (negative) {
        ++q;
    }
    std::uint64_t mantissa = 0;
    int digits = 0;
    while (q != end && static_cast<unsigned>(*q - '0') < 10) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*q - '0');
        ++q;
        ++digits;
    }
    int fraction = 0;
    if (q != end && *q == '.') {
        ++q;
        while (q != end && static_cast<unsigned>(*q - '0') < 10) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*q - '0');
            ++q;
            ++fraction;
        }
        digits += fraction;
    }
    if (digits == 0 || digits > 15) {
        return false;
    }
    value = static_cast<double>(mantissa) / exact_powers_of_ten[fraction];
    if (negative) {
        value = -value;
    }
    p = q;
    return true;
}

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
    return a > all_values - b ? all_values : a + b;
}

} // namespace

GrdeclScanner::GrdeclScanner(std::string_view text)
    : m_begin(text.data())
    , m_end(text.data() + text.size())
    , m_nextPoll(std::numeric_limits<std::size_t>::max()) {
    m_state.pos = m_begin;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        m_state.pos += 3; // a UTF-8 byte order mark
    }
    m_state.lineStart = m_state.pos;
}

void GrdeclScanner::setCancelHook(CancelHook const* hook, double firstPercent, double spanPercent) {
    m_hook = hook;
    m_firstPercent = firstPercent;
    m_spanPercent = spanPercent;
    m_nextPoll = hook != nullptr ? static_cast<std::size_t>(m_state.pos - m_begin) + poll_interval
                                 : std::numeric_limits<std::size_t>::max();
}

double GrdeclScanner::progress() const {
    std::size_t const size = static_cast<std::size_t>(m_end - m_begin);
    if (size == 0) {
        return m_firstPercent + m_spanPercent;
    }
    return m_firstPercent +
           m_spanPercent * static_cast<double>(m_state.pos - m_begin) / static_cast<double>(size);
}

bool GrdeclScanner::poll(char const* position) {
    std::size_t const offset = static_cast<std::size_t>(position - m_begin);
    m_nextPoll = offset + poll_interval;
    if (m_hook == nullptr) {
        return false;
    }
    std::size_t const size = static_cast<std::size_t>(m_end - m_begin);
    m_hook->progress(m_firstPercent +
                     m_spanPercent * static_cast<double>(offset) / static_cast<double>(size));
    m_cancelled = m_hook->isCancelled();
    return m_cancelled;
}

void GrdeclScanner::skipToLineEnd(char const*& p) const {
    if (p == m_end) {
        return;
    }
    void const* const newline = std::memchr(p, '\n', static_cast<std::size_t>(m_end - p));
    p = newline != nullptr ? static_cast<char const*>(newline) : m_end;
}

bool GrdeclScanner::isItemEnd(char const* p) const {
    return p == m_end || isBlank(*p) || *p == '/' || (*p == '-' && p + 1 != m_end && p[1] == '-');
}

char const* GrdeclScanner::itemEnd(char const* p) const {
    char const* q = p + 1;
    while (!isItemEnd(q)) {
        ++q;
    }
    return q;
}

GrdeclScanner::Token GrdeclScanner::next() {
    if (m_hasPeek) {
        m_hasPeek = false;
        m_state = m_afterPeek;
        return m_peeked;
    }
    return scan();
}

GrdeclScanner::Token const& GrdeclScanner::peek() {
    if (!m_hasPeek) {
        State const before = m_state;
        m_peeked = scan();
        m_afterPeek = m_state;
        m_state = before;
        m_hasPeek = true;
    }
    return m_peeked;
}

GrdeclScanner::Token GrdeclScanner::scan() {
    Token token;
    if (m_cancelled) {
        return token;
    }
    char const* p = m_state.pos;
    for (;;) {
        if (static_cast<std::size_t>(p - m_begin) >= m_nextPoll && poll(p)) {
            m_state.pos = p;
            return token;
        }
        while (p != m_end && isBlank(*p)) {
            if (*p == '\n') {
                ++m_state.line;
                m_state.lineStart = p + 1;
            }
            ++p;
        }
        if (p == m_end) {
            m_state.pos = p;
            token.line = m_state.line;
            return token;
        }
        if (*p == '-' && p + 1 != m_end && p[1] == '-') {
            skipToLineEnd(p);
            continue;
        }
        break;
    }

    token.line = m_state.line;
    token.firstOnLine = m_state.line != m_state.lastTokenLine;
    token.inFirstColumn = p == m_state.lineStart;
    m_state.lastTokenLine = m_state.line;
    char const c = *p;
    if (c == '/') {
        token.kind = TokenKind::Slash;
        token.text = std::string_view(p, 1);
        ++p;
        skipToLineEnd(p); // the rest of the line is a comment
    } else if (c == '\'' || c == '"') {
        char const* close = p + 1;
        while (close != m_end && *close != c && *close != '\n') {
            ++close;
        }
        token.kind = TokenKind::Quoted;
        token.text = std::string_view(p + 1, static_cast<std::size_t>(close - p - 1));
        if (!token.text.empty() && token.text.back() == '\r') {
            token.text.remove_suffix(1); // a quote left open at a CRLF line end
        }
        p = close != m_end && *close == c ? close + 1 : close;
    } else {
        char const* const last = itemEnd(p);
        token.kind = TokenKind::Word;
        token.text = std::string_view(p, static_cast<std::size_t>(last - p));
        p = last;
    }
    m_state.pos = p;
    return token;
}

std::string_view GrdeclScanner::nextLine() {
    m_hasPeek = false;
    char const* p = m_state.pos;
    skipToLineEnd(p);
    if (p == m_end) {
        m_state.pos = p;
        return std::string_view();
    }
    ++p;
    ++m_state.line;
    m_state.lineStart = p;
    char const* last = p;
    skipToLineEnd(last);
    std::string_view text(p, static_cast<std::size_t>(last - p));
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    m_state.pos = last;
    m_state.lastTokenLine = m_state.line;
    return text;
}

GrdeclScanner::ValuesEnd GrdeclScanner::readValues(Values& values) {
    m_hasPeek = false;
    if (m_cancelled) {
        return ValuesEnd::Cancelled;
    }
    // The state lives in locals while numbers stream by; it goes back to m_state at the end.
    char const* p = m_state.pos;
    char const* const end = m_end;
    int line = m_state.line;
    char const* lineStart = m_state.lineStart;
    int lastValueLine = m_state.lastTokenLine;
    std::vector<double>& kept = *values.values;
    std::uint64_t count = values.count;
    std::uint64_t const keep = values.keep;
    ValuesEnd result = ValuesEnd::End;
    for (;;) {
        if (static_cast<std::size_t>(p - m_begin) >= m_nextPoll && poll(p)) {
            result = ValuesEnd::Cancelled;
            break;
        }
        while (p != end && isBlank(*p)) {
            if (*p == '\n') {
                ++line;
                lineStart = p + 1;
            }
            ++p;
        }
        if (p == end) {
            result = ValuesEnd::End;
            break;
        }
        char const c = *p;
        if (c == '/') {
            lastValueLine = line;
            ++p;
            skipToLineEnd(p);
            result = ValuesEnd::Slash;
            break;
        }
        if (c == '-' && p + 1 != end && p[1] == '-') {
            skipToLineEnd(p);
            continue;
        }
        double value;
        char const* q = p;
        if (parsePlainDecimal(q, end, value) && isItemEnd(q)) {
            if (count < keep) {
                kept.push_back(value);
            }
            count += count != all_values ? 1 : 0; // a huge repeat may have saturated it
            lastValueLine = line;
            p = q;
            continue;
        }
        std::from_chars_result const parsed = std::from_chars(p, end, value);
        if (parsed.ec == std::errc() && isItemEnd(parsed.ptr) && std::isfinite(value)) {
            if (count < keep) {
                kept.push_back(value);
            }
            count += count != all_values ? 1 : 0;
            lastValueLine = line;
            p = parsed.ptr;
            continue;
        }
        values.count = count;
        char const* const last = itemEnd(p);
        bool const read = readItem(p, last, values, line);
        count = values.count;
        if (!read) {
            result = ValuesEnd::Token;
            break;
        }
        lastValueLine = line;
        p = last;
    }
    values.count = count;
    m_state.pos = p;
    m_state.line = line;
    m_state.lineStart = lineStart;
    m_state.lastTokenLine = lastValueLine;
    return result;
}

bool GrdeclScanner::readItem(char const* first, char const* last, Values& values, int line) const {
    std::string_view const item(first, static_cast<std::size_t>(last - first));
    std::size_t const star = item.find('*');
    double value = 0;
    if (star == std::string_view::npos) {
        if (!parseNumber(item, value)) {
            return false;
        }
        append(values, value, 1);
        return true;
    }
    std::uint64_t repeat = 0;
    std::from_chars_result const count = std::from_chars(first, first + star, repeat);
    if (count.ec != std::errc() || count.ptr != first + star || repeat == 0) {
        return false;
    }
    std::string_view const repeated = item.substr(star + 1);
    if (repeated.empty()) {
        values.defaults = saturatingAdd(values.defaults, repeat);
        if (values.firstDefaultLine == 0) {
            values.firstDefaultLine = line;
        }
        append(values, values.defaultValue, repeat);
        return true;
    }
    if (!parseNumber(repeated, value)) {
        return false;
    }
    append(values, value, repeat);
    return true;
}

void GrdeclScanner::append(Values& values, double value, std::uint64_t repeat) {
    std::uint64_t const room = values.count < values.keep ? values.keep - values.count : 0;
    std::uint64_t const kept = std::min(repeat, room);
    if (kept == 1) {
        values.values->push_back(value);
    } else if (kept > 1) {
        values.values->insert(values.values->end(), static_cast<std::size_t>(kept), value);
    }
    values.count = saturatingAdd(values.count, repeat);
}

} // namespace readers
} // namespace quarro
