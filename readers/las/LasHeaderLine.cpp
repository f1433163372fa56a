#include "LasHeaderLine.h"

#include "LasText.h"

namespace quarro {
namespace readers {

using namespace las;

namespace {

// The colon that ends the value: the first after `from` that is not inside a time of day
// ("13:45"), so that colons in the description stay there.
std::size_t delimiterColon(std::string_view line, std::size_t from) {
    for (std::size_t i = line.find(':', from); i != std::string_view::npos;
         i = line.find(':', i + 1)) {
        bool const digitBefore = i > 0 && isDigit(line[i - 1]);
        bool const digitAfter = i + 1 < line.size() && isDigit(line[i + 1]);
        if (!(digitBefore && digitAfter)) {
            return i;
        }
    }
    return std::string_view::npos;
}

} // namespace

bool LasHeaderLine::split(std::string_view line, LasHeaderLine& fields) {
    constexpr auto npos = std::string_view::npos;
    std::size_t tokenEnd = 0;
    while (tokenEnd < line.size() && !isBlank(line[tokenEnd]) && line[tokenEnd] != ':') {
        ++tokenEnd;
    }
    std::string_view const token = line.substr(0, tokenEnd);
    std::size_t const next = skipBlanks(line, tokenEnd);
    bool const nextOpensUnit = next < line.size() && line[next] == '.';
    std::size_t const lastDot = token.rfind('.');

    std::size_t period = npos;
    std::size_t mnemonicEnd = tokenEnd;
    if (lastDot != npos && !(lastDot + 1 == tokenEnd && nextOpensUnit)) {
        period = lastDot;
        mnemonicEnd = lastDot;
    } else if (nextOpensUnit) {
        period = next;
    }

    std::size_t valueBegin = tokenEnd;
    std::size_t colon = npos;
    if (period != npos) {
        std::size_t unitEnd = period + 1;
        while (unitEnd < line.size() && !isBlank(line[unitEnd])) {
            ++unitEnd;
        }
        fields.unit = line.substr(period + 1, unitEnd - period - 1);
        colon = delimiterColon(line, unitEnd);
        // "DEPT.M: depth": the colon closes the unit word.
        if (colon == npos && !fields.unit.empty() && fields.unit.back() == ':') {
            fields.unit.remove_suffix(1);
            colon = unitEnd - 1;
        }
        valueBegin = unitEnd;
    } else {
        fields.unit = std::string_view();
        colon = delimiterColon(line, tokenEnd);
    }
    fields.hasPeriod = period != npos;
    fields.hasColon = colon != npos;
    if (!fields.hasPeriod && !fields.hasColon) {
        return false;
    }
    fields.mnemonic = trim(line.substr(0, mnemonicEnd));
    std::size_t const valueEnd = fields.hasColon ? colon : line.size();
    fields.value = valueBegin < valueEnd ? trim(line.substr(valueBegin, valueEnd - valueBegin))
                                         : std::string_view();
    fields.description = fields.hasColon ? trim(line.substr(colon + 1)) : std::string_view();
    return true;
}

std::string_view LasHeaderLine::withoutLas3Decorations(std::string_view description) {
    description = trim(description.substr(0, description.find('|')));
    if (!description.empty() && description.back() == '}') {
        std::size_t const open = description.rfind('{');
        if (open != std::string_view::npos) {
            description = trim(description.substr(0, open));
        }
    }
    return description;
}

} // namespace readers
} // namespace quarro
