#include "script_engine.h"

#include "game.h"
#include "random.h"
#include "recording_toolkit.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <limits>
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

std::string fileNameOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

class Session
{
public:
    Session(std::ostream &out, const ScriptOptions &options)
        : out_(out)
        , seeded_(options.fallbackSeed.value_or(0))
        , queue_(options.fallbackSeed ? static_cast<DrawSource &>(seeded_) : drawSource())
        , scope_(queue_)
        , game_(toolkit_)
    {
        toolkit_.onSound = [this](const std::string &path) {
            out_ << "sound: " << fileNameOf(path) << "\n";
        };
        toolkit_.onMessage = [this](std::string_view prompt, std::string_view title) {
            out_ << "message: " << prompt << "|" << title << "\n";
        };
    }

    void run(const std::vector<std::string_view> &words);

private:
    void setBoard(const std::vector<std::string_view> &rows);
    void tick(std::int64_t count);
    void show();
    void paints();

    std::ostream &out_;
    Generator seeded_;
    QueuedDraws queue_;
    ScopedDrawSource scope_;
    RecordingToolkit toolkit_;
    Game game_;
};

void Session::run(const std::vector<std::string_view> &words)
{
    const std::string_view command = words[0];
    if (command == "load") {
        expectWords(words, 1, 1);
        game_.Form_Load();
    } else if (command == "board") {
        expectWords(words, 8, 8);
        setBoard({words.begin() + 1, words.end()});
    } else if (command == "draws") {
        expectWords(words, 2, std::numeric_limits<std::size_t>::max());
        std::vector<double> draws;
        for (std::size_t i = 1; i < words.size(); ++i) {
            const double u = parseNumber<double>(words[i]);
            if (!(u >= 0.0 && u < 1.0))
                throw BadLine("draw outside [0, 1): " + echoed(words[i]));
            draws.push_back(u);
        }
        for (const double u : draws)
            queue_.push(u);
    } else if (command == "press") {
        expectWords(words, 3, 4);
        const double x = parseNumber<double>(words[1]);
        const double y = parseNumber<double>(words[2]);
        int button = LeftButton;
        if (words.size() == 4) {
            button = parseNumber<int>(words[3]);
            if (button != LeftButton && button != RightButton && button != MiddleButton)
                throw BadLine("button must be 1, 2 or 4: " + echoed(words[3]));
        }
        constexpr double largest = std::numeric_limits<float>::max();
        if (std::fabs(x) > largest || std::fabs(y) > largest)
            throw BadLine("position out of range");
        game_.dest_MouseDown(button, 0, float(x), float(y));
    } else if (command == "tick") {
        expectWords(words, 1, 2);
        const std::int64_t count = words.size() == 2 ? parseNumber<std::int64_t>(words[1]) : 1;
        if (count < 0)
            throw BadLine("tick count below zero: " + echoed(words[1]));
        tick(count);
    } else if (command == "reset") {
        expectWords(words, 1, 1);
        game_.mnuFileNew_Click();
    } else if (command == "levelup") {
        expectWords(words, 1, 1);
        game_.Label3_Click(); // the recording toolkit closes the message box with OK at once
    } else if (command == "random") {
        expectWords(words, 3, 3);
        const int low = parseNumber<int>(words[1]);
        const int high = parseNumber<int>(words[2]);
        out_ << "random: " << RandomInRange(low, high) << "\n";
    } else if (command == "show") {
        expectWords(words, 1, 1);
        show();
    } else if (command == "paints") {
        expectWords(words, 1, 1);
        paints();
    } else {
        throw BadLine("unknown command: " + echoed(command));
    }
}

void Session::setBoard(const std::vector<std::string_view> &rows)
{
    Board board;
    for (int row = 0; row < Board::Rows; ++row) {
        const std::string_view text = rows[row];
        if (text.size() != std::size_t(Board::Columns))
            throw BadLine("board row " + std::to_string(row) + " is not 13 codes long");
        for (int column = 0; column < Board::Columns; ++column) {
            const auto code = cellCodeFromChar(text[column]);
            if (!code)
                throw BadLine("board row " + std::to_string(row) + " holds '" +
                              echoed(text.substr(column, 1)) + "', not one of b g r y B G R Y X");
            board.set(row, column, *code);
        }
    }
    game_.state().board = board;
}

void Session::tick(std::int64_t count)
{
    for (std::int64_t i = 0; i < count; ++i) {
        const Board before = game_.state().board;
        const std::string nmmc = game_.captions().read(Label::Nmmc);
        const std::string nextLevel = game_.captions().read(Label::NEXTLEVEL);
        game_.Timer1_Timer();
        // A tick that changed nothing is repeated identically by every further tick (ticks
        // draw no random numbers), so the rest can be skipped: a huge count never hangs.
        if (before == game_.state().board && nmmc == game_.captions().read(Label::Nmmc) &&
            nextLevel == game_.captions().read(Label::NEXTLEVEL))
            break;
    }
}

void Session::show()
{
    const GameState &state = game_.state();
    out_ << "board: ";
    for (int row = 0; row < Board::Rows; ++row)
        out_ << (row ? "/" : "") << state.board.rowText(row);
    out_ << "\ncaptions: ";
    for (int i = 0; i < LabelCount; ++i) {
        const auto label = static_cast<Label>(i);
        out_ << (i ? "|" : "") << nameOf(label) << "=" << game_.captions().read(label);
    }
    out_ << "\nstate: points=" << state.points << " selectionValue=" << state.selectionValue
         << " resetCount=" << state.resetCount << "\n";
}

void Session::paints()
{
    if (!toolkit_.hasDrawn())
        return;
    out_ << "clear\n";
    for (const auto &paint : toolkit_.paints()) {
        out_ << "paint: " << nameOf(paint.holder) << " " << std::llround(paint.x) << " "
             << std::llround(paint.y) << " " << std::llround(paint.width) << " "
             << std::llround(paint.height) << "\n";
    }
}

} // namespace

int runScript(std::istream &in, std::ostream &out, std::ostream &err, const ScriptOptions &options)
{
    Session session(out, options);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const auto words = splitWords(line);
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
    return 0;
}

} // namespace chromatta
