// The script engine: a script's commands played through the rules, what a player sees printed.
#include "script_engine.h"

#include "board_geometry.h"
#include "board_text.h"
#include "draws.h"
#include "game.h"
#include "labels.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <istream>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace chromatta {

namespace {

// A malformed line: the message is printed with its line number and the script stops.
struct BadLine : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// A word from the script as an error message shows it: its first bytes only, and any byte that
// is not printable ASCII escaped, so a hostile script cannot flood the terminal or write control
// characters and broken UTF-8 to it.
std::string echoed(std::string_view word)
{
    constexpr std::size_t Longest = 48;
    constexpr char Hex[] = "0123456789abcdef";
    std::string shown;
    for (const char c : word.substr(0, Longest)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\') {
            shown += "\\\\";
        } else if (byte >= 0x20 && byte < 0x7f) {
            shown += c;
        } else {
            shown += "\\x";
            shown += Hex[byte >> 4];
            shown += Hex[byte & 0x0f];
        }
    }
    if (word.size() > Longest)
        shown += "... (" + std::to_string(word.size()) + " bytes)";
    return shown;
}

std::vector<std::string_view> splitWords(std::string_view line)
{
    if (const auto hash = line.find('#'); hash != std::string_view::npos)
        line = line.substr(0, hash);
    std::vector<std::string_view> words;
    std::size_t i = 0;
    const auto isBlank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r';
    };
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

template<typename Number>
Number parseNumber(std::string_view word)
{
    Number value {};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        throw BadLine("not a number: " + echoed(word));
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value))
            throw BadLine("not a number: " + echoed(word));
    }
    return value;
}

void expectWords(const std::vector<std::string_view> &words, std::size_t least, std::size_t most)
{
    if (words.size() < least || words.size() > most)
        throw BadLine("wrong number of words for " + std::string(words[0]));
}

using Words = std::vector<std::string_view>;

// The script format is fixed, and its words are the harness's alone: the names of the labels
// and the pictures in the older program this game was first measured against, its positions in
// twips, and the sounds by their files. This is the one place they live.
// The labels in the order `show` prints them: each key, and the label it shows or the letter of
// the colour whose count it shows (Label4, with neither, is the count of all plain boxes, which
// the older program kept but never showed).
struct OutputLabel
{
    std::string_view key;
    std::optional<Label> label;
    char colour = 0;
};
constexpr OutputLabel OutputLabels[] = {
    {"Pts", Label::Points},
    {"lvl", Label::Level},
    {"SelPts", Label::SelectionValue},
    {"Nmmc", Label::ReshuffleCost},
    {"NEXTLEVEL", Label::NextLevelThreshold},
    {"Label4", std::nullopt},
    {"Label6", std::nullopt, 'r'},
    {"Label8", std::nullopt, 'b'},
    {"Label10", std::nullopt, 'g'},
    {"Label12", std::nullopt, 'y'},
};

std::string outputText(const OutputLabel &output, const GameState &state)
{
    if (output.label)
        return labelText(*output.label, state);
    if (output.colour)
        return countText(colourOf(CellCode {output.colour}).value(), state);
    const auto &boxes = state.shown.boxes;
    return boxes ? std::to_string(boxes->plain()) : "";
}

// A picture's name: its colour's letter, with "h" when highlighted.
std::string pictureName(CellCode code)
{
    const char letter = toChar(plainOf(code));
    return isHighlighted(code) ? std::string {letter, 'h'} : std::string {letter};
}

// The line `sound` or `message` prints for an outcome; nothing for none.
std::string outputLine(Outcome outcome)
{
    switch (outcome) {
    case Outcome::ClearingSound:
        return "sound: clearbox.wav\n";
    case Outcome::LevelWon:
        return "sound: win.wav\n";
    case Outcome::Refusal:
        return "message: " + std::string(RefusalText) + "|" + std::string(RefusalTitle) + "\n";
    case Outcome::Nothing:
        break;
    }
    return {};
}

std::unique_ptr<DrawSource> fallbackDraws(const ScriptOptions &options)
{
    if (options.seed)
        return std::make_unique<SeededDraws>(*options.seed);
    return std::make_unique<Generator>();
}

class Session
{
public:
    Session(std::ostream &out, const ScriptOptions &options)
        : out_(out)
        , fallback_(fallbackDraws(options))
        , queue_(*fallback_)
    {
        game_.emplace(queue_, clock_);
    }

    void run(const Words &words);

private:
    // One command of the script format: its name, how many words its line may have (the name
    // included) and what it does.
    struct Command
    {
        std::string_view name;
        std::size_t least, most;
        void (Session::*perform)(const Words &words);
    };
    static const Command commands[];

    void load(const Words &) { game_->windowOpened(); }
    void board(const Words &words);
    void draws(const Words &words);
    void press(const Words &words);
    void tick(const Words &words);
    void reset(const Words &) { game_->reshuffle(); }
    // The refusal is closed with OK at once.
    void levelUp(const Words &) { perform(game_->levelUpClicked()); }
    // Prints what the player hears or reads as it happens, then lets the game go on.
    void perform(Outcome outcome);
    void random(const Words &words);
    void show(const Words &);
    void paints(const Words &);

    std::ostream &out_;
    std::unique_ptr<DrawSource> fallback_;
    QueuedDraws queue_;
    // The draws alone decide a game: the clock's reseeds go to the fallback, never to the queue.
    FixedClock clock_;
    std::optional<Game> game_;
};

constexpr std::size_t Unbounded = std::numeric_limits<std::size_t>::max();

const Session::Command Session::commands[] = {
    {"load", 1, 1, &Session::load},           {"board", 8, 8, &Session::board},
    {"draws", 2, Unbounded, &Session::draws}, {"press", 3, 4, &Session::press},
    {"tick", 1, 2, &Session::tick},           {"reset", 1, 1, &Session::reset},
    {"levelup", 1, 1, &Session::levelUp},     {"random", 3, 3, &Session::random},
    {"show", 1, 1, &Session::show},           {"paints", 1, 1, &Session::paints},
};

void Session::run(const Words &words)
{
    for (const Command &command : commands) {
        if (command.name == words[0]) {
            expectWords(words, command.least, command.most);
            (this->*command.perform)(words);
            return;
        }
    }
    throw BadLine("unknown command: " + echoed(words[0]));
}

void Session::board(const Words &words)
{
    // The game goes on from its record with this board; the labels keep what they show.
    GameState state = game_->state();
    try {
        state.board = boardOf(std::vector<std::string>(words.begin() + 1, words.end()));
    } catch (const std::invalid_argument &bad) {
        throw BadLine(bad.what());
    }
    game_.emplace(queue_, clock_, state);
}

void Session::draws(const Words &words)
{
    // All checked before any is queued: a bad line queues nothing.
    std::vector<double> draws;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const double u = parseNumber<double>(words[i]);
        if (!(u >= 0.0 && u < 1.0))
            throw BadLine("draw outside [0, 1): " + echoed(words[i]));
        draws.push_back(u);
    }
    for (const double u : draws)
        queue_.push(u);
}

void Session::press(const Words &words)
{
    const double x = parseNumber<double>(words[1]);
    const double y = parseNumber<double>(words[2]);
    // Every button presses alike; the word is checked all the same.
    if (words.size() == 4) {
        const int button = parseNumber<int>(words[3]);
        if (button != 1 && button != 2 && button != 4)
            throw BadLine("button must be 1, 2 or 4: " + echoed(words[3]));
    }
    constexpr double largest = std::numeric_limits<float>::max();
    if (std::fabs(x) > largest || std::fabs(y) > largest)
        throw BadLine("position out of range");
    perform(game_->press(BoardGrid::cellAtTwips(x, y)));
}

void Session::tick(const Words &words)
{
    const std::int64_t count = words.size() == 2 ? parseNumber<std::int64_t>(words[1]) : 1;
    if (count < 0)
        throw BadLine("tick count below zero: " + echoed(words[1]));
    // A tick that changed nothing is repeated identically by every further tick, so the rest
    // are skipped: a huge count never hangs.
    for (std::int64_t i = 0; i < count; ++i) {
        game_->tick();
        if (!game_->lastHandlerChangedAnything())
            break;
    }
}

void Session::random(const Words &words)
{
    const int low = parseNumber<int>(words[1]);
    const int high = parseNumber<int>(words[2]);
    out_ << "random: " << randomInRange(queue_, clock_, low, high) << "\n";
}

void Session::show(const Words &)
{
    const GameState &state = game_->state();
    out_ << "board: ";
    for (int row = 0; row < Board::Rows; ++row)
        out_ << (row ? "/" : "") << state.board.rowText(row);
    out_ << "\ncaptions: ";
    const char *separator = "";
    for (const OutputLabel &output : OutputLabels) {
        out_ << separator << output.key << "=" << outputText(output, state);
        separator = "|";
    }
    out_ << "\nstate: points=" << state.points << " selectionValue=" << state.selectionValue
         << " resetCount=" << state.reshuffleCount << "\n";
}

void Session::paints(const Words &)
{
    const auto &drawn = game_->state().shown.board;
    if (!drawn)
        return;
    // Column by column, as the older program painted, in twips.
    constexpr int twips = BoardGrid::TwipsPerPixel;
    out_ << "clear\n";
    for (int column = 0; column < Board::Columns; ++column) {
        for (int row = 0; row < Board::Rows; ++row) {
            const CellCode code = drawn->at(row, column);
            if (!isBox(code))
                continue;
            out_ << "paint: " << pictureName(code) << " " << BoardGrid::cellLeft(column) * twips
                 << " " << BoardGrid::cellTop(row) * twips << " " << BoardGrid::CellWidth * twips
                 << " " << BoardGrid::CellHeight * twips << "\n";
        }
    }
}

void Session::perform(Outcome outcome)
{
    out_ << outputLine(outcome);
    if (goesOn(outcome))
        game_->goOn();
}

// A script is read in lines no longer than this: far longer than any script needs (a `draws` line
// of tens of thousands of numbers), and what keeps a stream that never ends a line (a device, a
// file without newlines) from taking all memory.
constexpr std::size_t LongestLine = std::size_t(1) << 20;

int cannotRead(const std::string &scriptName, int error, std::ostream &out, std::ostream &err)
{
    out.flush();
    err << "chromatta-script: cannot read " << scriptName << ": " << std::strerror(error) << "\n";
    return 2;
}

} // namespace

int runScript(std::istream &in, std::ostream &out, std::ostream &err, const ScriptOptions &options)
{
    Session session(out, options);
    // Room for the longest line and the terminator getline stores after it.
    const auto line = std::make_unique_for_overwrite<char[]>(LongestLine + 1);
    int lineNumber = 0;
    for (;;) {
        in.getline(line.get(), LongestLine + 1);
        if (in.fail() && !in.bad() && !(in.eof() && in.gcount() == 0)) {
            out.flush();
            err << "chromatta-script: line " << lineNumber + 1 << ": longer than " << LongestLine
                << " bytes\n";
            return 2;
        }
        if (in.fail())
            return in.bad() ? cannotRead(options.scriptName, errno, out, err) : 0;
        ++lineNumber;
        // A line's newline was taken out too, unless the input ended first.
        const auto length = std::size_t(in.gcount()) - (in.eof() ? 0 : 1);
        const auto words = splitWords(std::string_view(line.get(), length));
        if (words.empty())
            continue;
        try {
            session.run(words);
        } catch (const BadLine &bad) {
            out.flush();
            err << "chromatta-script: line " << lineNumber << ": " << bad.what() << "\n";
            return 2;
        }
    }
}

} // namespace chromatta
