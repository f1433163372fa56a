// The small tools readers share: string edits, exception log texts, the console importer chooser,
// the units panel's names, the cancel poll gate with its progress scaling, and dialog requests.
#include "BuilderException.h"
#include "ConsoleImportSelectionInterface.h"
#include "CoordinatesAndUnitsSheetImpl.h"
#include "FakeFileReader.h"
#include "ImportCanceledException.h"
#include "ImportException.h"
#include "InsertCommandConstructionException.h"
#include "ProgressCancelHook.h"
#include "RequestDialogMessage.h"
#include "StringUtilities.h"
#include "base/AbstractProgress.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/MessageHandler.h"

#include <QPointer>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <sstream>
#include <thread>
#include <tuple>
#include <vector>

namespace quarro {
namespace test {

using Request =
    std::tuple<import::AbstractFileReader*, std::string, housekeeping::AbstractDataInformation*>;

// Shows dialogs on request; records every request it was sent.
class DialogProvider : public QObject {
    Q_OBJECT
public:
    std::vector<Request> requests;

public slots:
    void handle_message(import::RequestDialogMessage& p_message) {
        requests.emplace_back(p_message.abstract_file_reader(), p_message.key(),
                              p_message.abstract_data_information());
    }
};

} // namespace test
} // namespace quarro

namespace {

using namespace quarro;
using namespace quarro::import;
using Requests = std::vector<test::Request>;

TEST(StringUtilities, EditsInPlace) {
    using Edit = void (*)(std::string&);
    struct Case {
        Edit edit;
        std::string text, expected;
    } const cases[] = {
        {strip_all_quotes, "\"DEPT\".\"M\"", "DEPT.M"},
        {strip_all_white_space, "a  b\tc ", "ab\tc"}, // tabs are kept
        {strip_file_name, "/data/well.a.las", "well.a"},
        {strip_file_name, "/home/.hidden", ""},
        {strip_file_name, "C:\\data\\well.las", "C:\\data\\well.las"},
        {trim_left, " \t\n\v\f\r", ""},
        {trim_left, "  a b ", "a b "},
        {trim_right, "\xa0x \r\n", "\xa0x"}, // bytes above 127 are never white space
    };
    for (Case const& c : cases) {
        std::string text = c.text;
        c.edit(text);
        EXPECT_EQ(c.expected, text) << c.text;
    }
}

TEST(ImportExceptions, EachAddsItsOwnLineAfterTheBaseText) {
    auto const logOf = [](quarro::Exception const& e) {
        std::ostringstream os;
        e.log_information(os);
        return os.str();
    };
    std::string const base = logOf(quarro::Exception(7, "cannot read", "src", 120));
    ASSERT_FALSE(base.empty());
    EXPECT_EQ(base + "Error, cannot open file : = \"C:/data/a.txt\"\n",
              logOf(ImportException(7, std::string("cannot read"), "src", 120, "C:/data/a.txt")));
    EXPECT_EQ(base + "Builder Error\n",
              logOf(BuilderException(7, std::string("cannot read"), "src", 120)));
    EXPECT_EQ(base, logOf(ImportCanceledException(7, std::string("cannot read"), "src", 120)));
    EXPECT_EQ(base,
              logOf(InsertCommandConstructionException(7, std::string("cannot read"), "src", 120)));
    QString const message = QStringLiteral("Bohrung \u00d6lfeld 3 \u2013 Tiefe");
    EXPECT_EQ(message.toUtf8().toStdString(), BuilderException(3, message, "src", 9).what());
}

// Wrong answers (out of range, text, negative) are asked again without the list; "0" and the end
// of the input cancel; a single key asks nothing and keeps the earlier choice.
TEST(ConsoleSelection, AnswersChooseCancelOrAreAskedAgain) {
    std::string const prompt =
        "File Type not recognised.\n Select a number from the list, or \"0\" to Cancel\n";
    std::string const sorry = "Sorry your response was not recognised...\n";
    std::vector<std::string> const three = {"WELLS", "DXF", "GRDECL"};
    std::string const listed = "Number : 1\tWELLS\nNumber : 2\tDXF\nNumber : 3\tGRDECL\n";
    struct Case {
        std::vector<std::string> keys;
        std::string typed;
        std::optional<std::string> shown;
        int importer;
        bool cancelled;
    } const cases[] = {
        {{"a", "b"}, "1\n", prompt + "Number : 1\ta\nNumber : 2\tb\n", 0, false},
        {three, "0\n", prompt + listed, -1, true},
        {three, "7\n3\n", prompt + listed + sorry + prompt, 2, false},
        {three, "dxf please\n-1\n2\n", prompt + listed + sorry + prompt + sorry + prompt, 1, false},
        {three, "", std::nullopt, -1, true},
        {{"WELLS"}, "2\n", "", -1, false},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.typed);
        std::istringstream in(c.typed);
        std::ostringstream out;
        ConsoleImportSelectionInterface chooser(in, out);
        bool cancelled = false;
        chooser.init(c.keys, cancelled);
        if (c.shown) {
            EXPECT_EQ(*c.shown, out.str());
        }
        EXPECT_EQ(c.importer, chooser.importer());
        EXPECT_EQ(c.cancelled, cancelled);
        chooser.init({"DXF"}, cancelled);
        EXPECT_EQ(c.importer, chooser.importer());
    }
}

TEST(CoordinatesAndUnitsSheet, UnitNamesOnBothAxes) {
    struct Row {
        char const* text;
        int xy, z;
    } const rows[] = {
        {"Inches", 0, 0},       {"Feet", 2, 2}, {"Miles", 3, 3},  {"Kms", 5, 5}, {"Seconds", 1, 6},
        {"Milliseconds", 1, 7}, {"feet", 1, 1}, {"Metres", 1, 1}, {"", 1, 1},    {"Feet ", 1, 1},
    };
    for (Row const& row : rows) {
        EXPECT_EQ(row.xy, CoordinatesAndUnitsSheetImpl::xy_units_of(row.text)) << row.text;
        EXPECT_EQ(row.z, CoordinatesAndUnitsSheetImpl::z_units_of(row.text)) << row.text;
    }
}

// A progress object that records what the hook asks and shows.
class WatchedProgress : public brkBase::AbstractProgress {
public:
    bool cancelled() const override {
        ++asked;
        return cancel_requested;
    }
    void set_value(int value) override {
        shown.push_back(value);
        AbstractProgress::set_value(value);
    }
    mutable int asked = 0;
    bool cancel_requested = false;
    std::vector<int> shown;
};

// Resets the calling thread's scaling record (records live as long as the process, and a new
// thread may reuse an ended thread's id).
struct Record : ProgressCancelHook {
    static void reset() { data() = quarro::import::ProgressCancelHookData(); }
};

// What the bar shows for `percent` when the gate is open (poll interval 0).
int shownFor(double percent) {
    WatchedProgress progress;
    ProgressCancelHook hook(&progress);
    hook.setProgressPoll(0);
    hook.hook()->progress(percent);
    return progress.shown.empty() ? -1 : progress.shown.back();
}

TEST(ProgressCancelHook, AsksTheProgressObjectOnlyEveryFiftyFirstQuery) {
    WatchedProgress progress;
    ProgressCancelHook hook(&progress);
    progress.cancel_requested = true;
    std::vector<bool> answers;
    for (int i = 0; i < 102; ++i) {
        answers.push_back(hook.hook()->isCancelled());
        progress.cancel_requested = i < 50; // an answer is repeated until the next poll
    }
    std::vector<bool> expected(102, false);
    std::fill(expected.begin() + 50, expected.begin() + 101, true);
    EXPECT_EQ(expected, answers);
    EXPECT_EQ(2, progress.asked);

    ProgressCancelHook eager(&progress);
    eager.setProgressPoll(0);
    eager.hook()->isCancelled();
    eager.hook()->isCancelled();
    EXPECT_EQ(4, progress.asked) << "interval 0 asks at every query";
}

// Each run starts on a fresh thread; a step sets the file count, the file number and a stage's
// share where given (not negative, not 0), then reads what the bar shows for a percentage.
TEST(ProgressCancelHook, FileAndStageModesScaleClampAndTruncate) {
    struct Step {
        int size, file;
        double stage, percent;
        int shown;
    };
    double const nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<std::vector<Step>> const runs = {
        {{-1, -1, 0, 75, 0},
         {4, 2, 0, 50, 62},
         {-1, -1, 0, 0, 50},
         {-1, -1, 0, 100, 75},
         {0, -1, 0, 50, 0}},
        {{-1, -1, 30, 50, 15}, {-1, -1, 50, 100, 80}, {-1, -1, 0, 50, 55}},
        {{-1, -1, 100, 130, 100}, {-1, -1, 0, -5, 0}, {-1, -1, 0, nan, 0}},
        {{10, 9, 0, 50, 95}},
    };
    ProgressCancelHook::setSize(2);
    ProgressCancelHook::setFileProgress(1, 100.0);
    for (auto const& run : runs) {
        std::thread([&run] {
            Record::reset();
            for (Step const& step : run) {
                if (step.size >= 0) {
                    ProgressCancelHook::setSize(step.size);
                }
                if (step.file >= 0) {
                    ProgressCancelHook::setFileProgress(step.file, 100.0);
                }
                if (step.stage > 0) {
                    ProgressCancelHook::setStageProgress(step.stage);
                }
                EXPECT_EQ(step.shown, shownFor(step.percent)) << step.percent;
            }
        }).join();
    }
    EXPECT_EQ(75, shownFor(50.0)) << "each thread keeps its own record";
}

struct Las {
    static constexpr char const* text = "LAS (*.las)";
};

// A reader's request reaches every subscriber with its reader, key and data, at once or from the
// event loop when posted; the handler deletes what it delivered.
TEST(RequestDialogMessage, SubscribersGetTheReadersRequests) {
    test::DialogProvider first, second;
    EXPECT_TRUE(RequestDialogMessage::subscribe(&first, Qt::DirectConnection));
    EXPECT_TRUE(RequestDialogMessage::subscribe(
        &second, "1handle_message(import::RequestDialogMessage&)", Qt::AutoConnection));
    test::FakeFileReader<Las> reader;
    auto units = housekeeping::AbstractDataInformationFactory::create("WELLS");
    RequestDialogMessage* const direct = RequestDialogMessage::instance();
    direct->init(&reader, "units", units.get());
    housekeeping::Message::dispatch(direct);
    EXPECT_TRUE(RequestDialogMessage::unsubscribe(&first));
    QPointer<RequestDialogMessage> posted = RequestDialogMessage::instance();
    posted->init(&reader, "posted", nullptr);
    posted->post();
    EXPECT_EQ(1u, second.requests.size()) << "posting does not deliver at once";
    housekeeping::MessageHandler::instance().flush();
    EXPECT_EQ(Requests({{&reader, "units", units.get()}}), first.requests);
    EXPECT_EQ(Requests({{&reader, "units", units.get()}, {&reader, "posted", nullptr}}),
              second.requests);
    EXPECT_TRUE(posted.isNull());
    RequestDialogMessage::unsubscribe(&second);
}

} // namespace

#include "FrameworkTest.moc"
