#include "ConsoleImportSelectionInterface.h"

#include <iostream>
#include <limits>

namespace quarro {
namespace import {

namespace {
char const* const prompt =
    "File Type not recognised.\n Select a number from the list, or \"0\" to Cancel\n";
char const* const not_recognised = "Sorry your response was not recognised...\n";

// Registered while the library loads.
ConsoleImportSelectionInterfaceFactory s_factory("ConsoleImportSelectionInterface", false);
} // namespace

ConsoleImportSelectionInterface::ConsoleImportSelectionInterface()
    : ConsoleImportSelectionInterface(std::cin, std::cout) {}

ConsoleImportSelectionInterface::ConsoleImportSelectionInterface(std::istream& in,
                                                                 std::ostream& out)
    : m_in(&in)
    , m_out(&out) {}

ConsoleImportSelectionInterface::~ConsoleImportSelectionInterface() = default;

void ConsoleImportSelectionInterface::init(std::vector<std::string> const& importers,
                                           bool& cancelled) {
    m_cancel_flag = &cancelled;
    m_importers = importers;
    interrogate_user();
}

void ConsoleImportSelectionInterface::interrogate_user() {
    if (m_importers.size() <= 1) {
        return;
    }
    std::ostream& out = *m_out;
    out << prompt;
    for (std::size_t i = 0; i < m_importers.size(); ++i) {
        out << "Number : " << (i + 1) << "\t" << m_importers[i] << "\n";
    }
    out.flush();

    int const count = static_cast<int>(m_importers.size());
    int answer = 0;
    if (!read_answer(answer)) {
        cancel();
        return;
    }
    while (answer < 0 || answer > count) {
        out << not_recognised << prompt;
        out.flush();
        if (!read_answer(answer)) {
            cancel();
            return;
        }
    }
    m_importer = answer - 1;
    if (m_importer == -1) {
        *m_cancel_flag = true;
    }
}

bool ConsoleImportSelectionInterface::read_answer(int& answer) {
    std::istream& in = *m_in;
    if (in >> answer) {
        return true;
    }
    if (in.eof()) {
        return false;
    }
    // Not a whole number: forget the rest of the line and let the caller ask again. -1 is below
    // the range, so it is refused like any other wrong number.
    in.clear();
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    answer = -1;
    return true;
}

// The input ended before a valid answer: nothing was chosen.
void ConsoleImportSelectionInterface::cancel() {
    m_importer = -1;
    *m_cancel_flag = true;
}

} // namespace import
} // namespace quarro
