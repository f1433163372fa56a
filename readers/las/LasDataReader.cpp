#include "LasDataReader.h"

#include "LasParseFailure.h"
#include "LasText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

namespace quarro {
namespace readers {

using namespace las;

namespace {

constexpr double no_value = std::numeric_limits<double>::quiet_NaN();

// Spellings of a missing number that programs write into data: MSVC's "1.#IND" family, Fortran's
// overflow stars, NaN, infinity and a few words.
bool isNullSpelling(std::string_view token) {
    if (std::all_of(token.begin(), token.end(), [](char c) { return c == '*'; })) {
        return true;
    }
    if (token.find('#') != std::string_view::npos) {
        std::string upperToken(token.size(), ' ');
        std::transform(token.begin(), token.end(), upperToken.begin(), upper);
        return upperToken.find("#IND") != std::string::npos ||
               upperToken.find("#INF") != std::string::npos ||
               upperToken.find("#QNAN") != std::string::npos ||
               upperToken.find("#SNAN") != std::string::npos;
    }
    for (std::string_view word :
         {"-", "--", "NA", "N/A", "NAN", "-NAN", "INF", "-INF", "NULL", "(NULL)"}) {
        if (equalsUpper(token, word)) {
            return true;
        }
    }
    return false;
}

// Values that log curves use for "no value" whatever the header says.
bool isStandInNull(double value) {
    double const magnitude = std::fabs(value);
    return magnitude >= 999.0 &&
           (magnitude == 999.25 || magnitude == 9999.25 || magnitude == 9999.0);
}

} // namespace

LasDataReader::LasDataReader(Settings const& settings, TextDecoder const& decoder,
                             LasIssues& issues, Poll poll)
    : m_settings(settings)
    , m_decoder(decoder)
    , m_issues(issues)
    , m_poll(std::move(poll)) {}

std::vector<std::vector<double>> LasDataReader::read(std::string_view body, int firstLine,
                                                     std::size_t lineCount) {
    std::size_t const n = m_settings.curves;
    if (n == 0) {
        return {};
    }
    std::size_t const maxCells = m_settings.maxCells;
    std::size_t const reserveRows = m_settings.wrapped ? 0 : std::min(lineCount, maxCells / n);

    std::vector<std::vector<double>> columns(n);
    for (std::vector<double>& column : columns) {
        column.reserve(reserveRows);
    }

    bool const hasNull = m_settings.nullValue.has_value();
    double const nullValue = m_settings.nullValue.value_or(0.0);
    bool const comma = m_settings.commaDelimited;
    bool wrapped = m_settings.wrapped;
    bool firstDataLine = true;

    std::size_t j = 0; // the next column of the row being read
    bool longRow = false;
    int lineNumber = firstLine;
    char const* p = body.data();
    char const* const end = body.data() + body.size();
    char const* nextPoll = p;

    auto isSeparator = [comma](char c) { return isBlank(c) || (comma && c == ','); };
    auto store = [&](double value) {
        if (j == n) {
            longRow = true;
            return;
        }
        if (j == 0 && std::isnan(value)) {
            m_issues.add(LasIssues::NullDepth, lineNumber);
        }
        columns[j++].push_back(value);
    };
    auto numberValue = [&](double value) {
        if ((hasNull && value == nullValue) || !std::isfinite(value) ||
            (j != 0 && isStandInNull(value))) {
            return no_value;
        }
        return value;
    };
    // A token that std::from_chars did not take whole.
    auto textValue = [&](std::string_view token) {
        double value = 0.0;
        if (parseNumber(token, value)) {
            return numberValue(value);
        }
        if (!isNullSpelling(token)) {
            // Only the first occurrence is quoted; a column of "ERR" must not decode each one.
            m_issues.add(LasIssues::TextInData, lineNumber,
                         m_issues.has(LasIssues::TextInData) ? QString()
                                                             : m_decoder.excerpt(token));
        }
        return no_value;
    };
    auto hasNumber = [&](char const* q, char const* lineEnd) {
        while (q < lineEnd) {
            while (q < lineEnd && isSeparator(*q)) {
                ++q;
            }
            char const* tokenEnd = q;
            while (tokenEnd < lineEnd && !isSeparator(*tokenEnd)) {
                ++tokenEnd;
            }
            double value = 0.0;
            if (tokenEnd > q && parseNumber(std::string_view(q, tokenEnd - q), value)) {
                return true;
            }
            q = tokenEnd;
        }
        return false;
    };

    bool previousRowFull = false;
    for (; p < end; ++lineNumber) {
        if (p >= nextPoll) {
            m_poll(p);
            nextPoll = p + poll_bytes;
        }
        auto const* newline =
            static_cast<char const*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        char const* const lineEnd = newline != nullptr ? newline : end;
        char const* q = p;
        p = newline != nullptr ? newline + 1 : end;

        while (q < lineEnd && isBlank(*q)) {
            ++q;
        }
        if (q == lineEnd || *q == '#') {
            continue;
        }
        longRow = false;
        // A line that starts a row with text and holds no number at all is a note, not a row.
        auto isTextLine = [&](std::string_view first, char const* rest) {
            double value = 0.0;
            return j == 0 && !parseNumber(first, value) && !hasNumber(rest, lineEnd);
        };
        bool textLine = false;
        if (comma) {
            // LAS 3 comma-delimited data: every field counts, an empty one is no value.
            for (bool firstField = true;; firstField = false) {
                // A quoted field ("sand, fine") may hold commas of its own.
                char const* from = q;
                while (from < lineEnd && isBlank(*from)) {
                    ++from;
                }
                if (from < lineEnd && *from == '"') {
                    auto const* close = static_cast<char const*>(
                        std::memchr(from + 1, '"', static_cast<std::size_t>(lineEnd - from - 1)));
                    from = close != nullptr ? close + 1 : lineEnd;
                }
                auto const* fieldEnd = static_cast<char const*>(
                    std::memchr(from, ',', static_cast<std::size_t>(lineEnd - from)));
                char const* const stop = fieldEnd != nullptr ? fieldEnd : lineEnd;
                std::string_view const field = trim(std::string_view(q, stop - q));
                if (firstField && !field.empty() && isTextLine(field, stop)) {
                    textLine = true;
                    break;
                }
                store(field.empty() ? no_value : textValue(field));
                if (fieldEnd == nullptr) {
                    break;
                }
                q = fieldEnd + 1;
            }
        } else {
            for (char const* const lineBegin = q; q < lineEnd;) {
                double value = 0.0;
                char const* first = *q == '+' ? q + 1 : q;
                auto const parsed = std::from_chars(first, lineEnd, value);
                if (parsed.ec == std::errc() && parsed.ptr > first &&
                    (parsed.ptr == lineEnd || isSeparator(*parsed.ptr))) {
                    store(numberValue(value));
                    q = parsed.ptr;
                } else {
                    char const* tokenEnd = q;
                    while (tokenEnd < lineEnd && !isSeparator(*tokenEnd)) {
                        ++tokenEnd;
                    }
                    std::string_view const token(q, tokenEnd - q);
                    if (q == lineBegin && isTextLine(token, tokenEnd)) {
                        textLine = true;
                        break;
                    }
                    store(textValue(token));
                    q = tokenEnd;
                }
                while (q < lineEnd && isBlank(*q)) {
                    ++q;
                }
            }
        }
        if (textLine) {
            m_issues.add(LasIssues::TextLineInData, lineNumber,
                         m_decoder.excerpt(std::string_view(q, lineEnd - q)));
            continue;
        }
        if (longRow) {
            m_issues.add(LasIssues::LongRow, lineNumber);
        }
        if (firstDataLine) {
            firstDataLine = false;
            // A depth alone on the first line of many-curve data: the writer wrapped the rows
            // without saying so.
            if (!wrapped && n > 1 && j == 1) {
                wrapped = true;
                m_issues.add(LasIssues::WrapMismatch, lineNumber);
                continue;
            }
        }
        if (j == n) {
            j = 0;
            previousRowFull = true;
        } else if (!wrapped) {
            // A short row after full ones with nothing after it is most likely a download cut
            // short; rows that are all short are a writer's habit.
            char const* rest = p;
            while (rest < end && (isBlank(*rest) || *rest == '\n' || *rest == '\x1a')) {
                ++rest;
            }
            bool const cutShort = previousRowFull && rest == end;
            previousRowFull = false;
            m_issues.add(cutShort ? LasIssues::LastRowCutShort : LasIssues::ShortRow, lineNumber);
            while (j < n) {
                columns[j++].push_back(no_value);
            }
            j = 0;
            if (columns.front().size() * n > maxCells) {
                throw LasParseFailure{
                    lineNumber, QStringLiteral("too many missing values: the rows hold far fewer "
                                               "values than the %1 curves")
                                    .arg(n)};
            }
        }
    }
    if (j != 0) {
        m_issues.add(LasIssues::LastRowCutShort, lineNumber - 1);
        while (j < n) {
            columns[j++].push_back(no_value);
        }
    }
    return columns;
}

} // namespace readers
} // namespace quarro
