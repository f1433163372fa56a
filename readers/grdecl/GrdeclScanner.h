#ifndef QUARRO_READERS_GRDECL_GRDECLSCANNER_H
#define QUARRO_READERS_GRDECL_GRDECLSCANNER_H

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class CancelHook;

namespace quarro {
namespace readers {

// Splits the text of an Eclipse keyword file into tokens: words, quoted strings and the '/' that
// ends a record. "--" starts a comment that runs to the end of the line, also after data, and
// whatever follows a '/' on its line is a comment too. Lines end in LF or CRLF; every byte up to
// the space (tab, form feed, the 0x1A end-of-file mark of old DOS files) is a blank.
//
// Numeric arrays (COORD, ZCORN, cell properties) take the fast road, readValues(), which parses
// numbers with their repeat counts ("5*0.25", "3*") straight from the text and makes no tokens.
//
// The scanner asks the cancel hook, when it has one, about once per 16 KB of text and reports how
// far it got just before; once cancelled it reads nothing more.
class GrdeclScanner {
public:
    enum class TokenKind { End, Word, Quoted, Slash };

    struct Token {
        TokenKind kind = TokenKind::End;
        // A word as written; a quoted string without its quotes.
        std::string_view text;
        int line = 0;
        // No other token precedes it on its line.
        bool firstOnLine = false;
        // It begins in the first column, where Eclipse wants its keywords.
        bool inFirstColumn = false;
    };

    // Where readValues() puts the numbers of an array.
    struct Values {
        std::vector<double>* values = nullptr;
        // Values beyond this many are counted but not kept, so that a wrong count can be reported
        // without holding what the grid cannot use.
        std::uint64_t keep = 0;
        // What a defaulted item ("3*", "1*") stands for.
        double defaultValue = 0;

        std::uint64_t count = 0;    // values read, kept or not
        std::uint64_t defaults = 0; // how many of them were defaulted
        int firstDefaultLine = 0;
    };

    enum class ValuesEnd {
        Slash,     // the record's '/'
        End,       // the end of the text
        Token,     // text that is not a number: peek() shows it
        Cancelled, // the hook said stop
    };

    explicit GrdeclScanner(std::string_view text);

    // `hook` may be null. Progress is reported as first + span * (share of the text read).
    void setCancelHook(CancelHook const* hook, double firstPercent, double spanPercent);
    bool cancelled() const { return m_cancelled; }

    Token next();
    Token const& peek();

    // Skips the rest of the current line and returns the line after it (without its line end),
    // for keywords whose data is a line of free text (TITLE).
    std::string_view nextLine();

    // Reads numbers until the record's '/', the end of the text or something that is not a number
    // (which is left for next()). An item that is not a finite number in Eclipse's spelling
    // (optionally with a D exponent or a leading '+') stops the reading.
    ValuesEnd readValues(Values& values);

    // The line the scanner is on.
    int line() const { return m_state.line; }
    // Bytes of text not read yet.
    std::size_t remaining() const { return static_cast<std::size_t>(m_end - m_state.pos); }
    // How far the reading got, in the percent that the cancel hook is told.
    double progress() const;

private:
    struct State {
        char const* pos = nullptr;
        char const* lineStart = nullptr;
        int line = 1;
        int lastTokenLine = 0;
    };

    Token scan();
    bool poll(char const* position);
    void skipToLineEnd(char const*& p) const;
    char const* itemEnd(char const* p) const;
    bool isItemEnd(char const* p) const;
    bool readItem(char const* first, char const* last, Values& values, int line) const;
    static void append(Values& values, double value, std::uint64_t repeat);

    char const* m_begin;
    char const* m_end;
    State m_state;

    bool m_hasPeek = false;
    Token m_peeked;
    State m_afterPeek;

    CancelHook const* m_hook = nullptr;
    double m_firstPercent = 0;
    double m_spanPercent = 0;
    std::size_t m_nextPoll = 0;
    bool m_cancelled = false;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GRDECL_GRDECLSCANNER_H
