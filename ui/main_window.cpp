// The game window: its labels, pictures, board surface, menus and timer, wired to the game.
#include "main_window.h"

#include "about_window.h"
#include "board_surface.h"
#include "click_label.h"
#include "fonts.h"
#include "game.h"
#include "labels.h"
#include "refresh_timer.h"
#include "title_bar.h"
#include "window_layout.h"
#include "window_place.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>

#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>

namespace chromatta::ui {

namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    // Fixed, not the desktop theme's: the texts stand on the window's own pictures.
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, colour);
    widget->setPalette(colours);
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, colour);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

// A transparent single-line label: only its text is painted, from the top of its box, and what
// does not fit is cut off.
// Every control keeps the object name of the window's design ("points", "board", "levelUp", ...):
// the tests and the measuring probes look the controls up by it.
template<typename LabelType = QLabel>
LabelType *addLabel(QWidget *parent, const char *name, const QRect &geometry, const QString &text,
                    const QFont &font, Qt::Alignment horizontal = Qt::AlignLeft,
                    const QColor &colour = Qt::black)
{
    auto *label = new LabelType(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    setTextColour(label, colour);
    return label;
}

QIcon applicationIcon()
{
    // Only the sizes a title bar or task switcher asks of a window: QIcon decodes every file it
    // is given at once, and the large ones would cost start-up time for nothing. Menus and docks
    // take the installed icons of the desktop entry.
    QIcon icon;
    // The 64 px picture comes with the 32 px one: QIcon adds a file's @2x twin by itself.
    for (const char *file : {":/icon-32.png", ":/icon-48.png"})
        icon.addFile(QLatin1String(file));
    return icon;
}

} // namespace

MainWindow::MainWindow()
{
    // The background is by far the largest picture: it is decoded on the other core while the
    // controls, their fonts and the menus are made, and shown once they are.
    PictureAhead background(QStringLiteral("background"), devicePixelRatioF());
    installFontSubstitutes();
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("gameWindow"));
    setWindowTitle(QStringLiteral("Chromatta Zududo"));
    setWindowIcon(applicationIcon());
    // A fixed single border: minimize and close, no maximize; the fixed size (below) rules out
    // resizing.
    TitleBar *titleBar = frameWindow(*this, WindowButtons::MinimizeAndClose);

    setCentralWidget(buildClientArea());
    if (titleBar != nullptr) {
        // The title bar above the menu bar, as a frame would have it.
        auto *top = new QWidget;
        auto *column = new QVBoxLayout(top);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        titleBar->setParent(top);
        column->addWidget(titleBar);
        auto *bar = new QMenuBar(top);
        column->addWidget(bar);
        buildMenus(*bar);
        setMenuWidget(top);
    } else {
        buildMenus(*menuBar());
    }
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    placeOnScreen();

    game_ = std::make_unique<Game>(draws_, clock_);
    timer_ = new RefreshTimer(this);
    connect(timer_, &RefreshTimer::ticked, this, &MainWindow::tick);
    connect(surface_, &BoardSurface::pressed, this, [this](std::optional<chromatta::Cell> cell) {
        handle([cell](Game &game) { return game.press(cell); });
    });

    handle(&Game::windowOpened);
    timer_->start();
    showBackground(background.take());
}

MainWindow::~MainWindow() = default;

const Game &MainWindow::game() const
{
    return *game_;
}

void MainWindow::startFrom(const GameState &state)
{
    game_ = std::make_unique<Game>(draws_, clock_, state);
    timer_->wake();
}

QWidget *MainWindow::buildClientArea()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(WindowLayout::ClientWidth, WindowLayout::ClientHeight);
    setBackground(client, Qt::black);

    // Made first, so that every other control lies above it; its picture comes later.
    background_ = new QLabel(client);
    background_->setObjectName(QStringLiteral("background"));

    buildScoreLabels(client);
    buildColourCounts(client);

    surface_ = new BoardSurface(pictures_, client);
    surface_->setObjectName(QStringLiteral("board"));
    surface_->setGeometry(WindowLayout::SurfaceLeft, WindowLayout::SurfaceTop,
                          WindowLayout::SurfaceWidth, WindowLayout::SurfaceHeight);

    buildStatusStrip(client);
    return client;
}

void MainWindow::showBackground(const QPixmap &picture)
{
    // Unscaled at the top-left corner; the window is narrower than the picture and cuts it off.
    background_->setPixmap(picture);
    background_->setGeometry(QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()));
}

// The points, "LEVEL UP" and the points the next level needs.
void MainWindow::buildScoreLabels(QWidget *client)
{
    labels_[int(Label::Points)] = addLabel(client, "points", QRect(8, 3, 309, 25), QString(),
                                           designFont(QStringLiteral("Verdana"), 18, true),
                                           Qt::AlignHCenter, QColor(192, 64, 0));
    auto *levelUp =
        addLabel<ClickLabel>(client, "levelUp", QRect(472, 8, 157, 38), QStringLiteral("LEVEL UP"),
                             designFont(QStringLiteral("Arial Black"), 20.25, true));
    connect(levelUp, &ClickLabel::clicked, this, [this] { handle(&Game::levelUpClicked); });
    labels_[int(Label::NextLevelThreshold)] =
        addLabel(client, "nextLevelThreshold", QRect(0, 32, 337, 17), QString(),
                 designFont(QStringLiteral("Small Fonts"), 6.75, true), Qt::AlignHCenter);
}

// The swatch and the count of each colour, in one row over the blue band.
void MainWindow::buildColourCounts(QWidget *client)
{
    // Where each colour's swatch starts, in the order of Colours; its count follows 40 px on.
    constexpr int swatchLeft[] = {24, 144, 264, 376};
    static_assert(std::size(swatchLeft) == ColourCount, "each colour needs a place in the row");
    const QFont count = designFont(QStringLiteral("MS Sans Serif"), 18, true);
    for (int colour = 0; colour < ColourCount; ++colour) {
        const std::string name(Colours[colour].name);
        const QPixmap swatch =
            loadPicture(QStringLiteral("swatch-") + toQString(name), devicePixelRatioF());
        auto *picture = new QLabel(client);
        picture->setObjectName(toQString(name + "Swatch"));
        picture->setGeometry(
            QRect(QPoint(swatchLeft[colour], 64), swatch.deviceIndependentSize().toSize()));
        picture->setPixmap(swatch);
        counts_[colour] = addLabel(client, (name + "Count").c_str(),
                                   QRect(swatchLeft[colour] + 40, 64, 53, 29), QString(), count);
    }
}

void MainWindow::buildStatusStrip(QWidget *client)
{
    auto *strip = new QWidget(client);
    strip->setObjectName(QStringLiteral("statusStrip"));
    strip->setGeometry(QRect(0, 456, 633, 33));
    setBackground(strip, Qt::white);

    const QFont status = designFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    addLabel(strip, "levelHeading", QRect(8, 8, 118, 20), QStringLiteral("Current Level: "),
             status);
    labels_[int(Label::Level)] = addLabel(strip, "level", QRect(104, 8, 35, 20), QString(), status);
    addLabel(strip, "selectionValueHeading", QRect(144, 8, 118, 16),
             QStringLiteral("Selection Value: "), status);
    labels_[int(Label::SelectionValue)] =
        addLabel(strip, "selectionValue", QRect(264, 8, 117, 16), QString(), status);
    addLabel(strip, "reshuffleCostHeading", QRect(388, 10, 85, 16), QStringLiteral("Reset Cost:"),
             status);
    labels_[int(Label::ReshuffleCost)] =
        addLabel(strip, "reshuffleCost", QRect(472, 10, 141, 16), QString(), status);
}

void MainWindow::buildMenus(QMenuBar &bar)
{
    QMenu *file = bar.addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    QAction *reset = file->addAction(QStringLiteral("Reset"));
    reset->setObjectName(QStringLiteral("reshuffleAction"));
    connect(reset, &QAction::triggered, this, [this] { handle(&Game::reshuffle); });
    file->addSeparator()->setObjectName(QStringLiteral("fileMenuSeparator"));
    QAction *quitAction = file->addAction(QStringLiteral("Quit"));
    quitAction->setObjectName(QStringLiteral("quitAction"));
    connect(quitAction, &QAction::triggered, this, &MainWindow::quit);

    QMenu *help = bar.addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    QAction *about = help->addAction(QStringLiteral("How to Play / About Chromatta Zududo..."));
    about->setObjectName(QStringLiteral("aboutAction"));
    connect(about, &QAction::triggered, this, [] { showAboutWindow(); });
}

void MainWindow::placeOnScreen()
{
    // The client area, below the menu bar, goes to (89, 49) px on the screen; on a screen too
    // small for that the window is moved just enough to keep its whole frame, title bar first,
    // on the free part of the screen. Placed once, before it is shown, where it stays when the
    // window manager frames it.
    layout()->activate();
    const QMargins frame = frameToCome(*this);
    QPoint topLeft(89, 49 - centralWidget()->y());
    if (const QScreen *screen = this->screen())
        topLeft = reachablePlace(screen->availableGeometry(), frame, size(), topLeft);
    setGeometry(QRect(topLeft, size()));
}

template<typename Handler>
void MainWindow::handle(Handler handler)
{
    timer_->wake();
    Outcome outcome = Outcome::Nothing;
    if constexpr (std::is_void_v<std::invoke_result_t<Handler, Game &>>)
        std::invoke(handler, *game_);
    else
        outcome = std::invoke(handler, *game_);
    // Taken before the outcome is performed: ticks may run while the refusal is shown.
    const bool changed = game_->lastHandlerChangedAnything();
    perform(outcome);
    showRecord(changed);
    if (goesOn(outcome)) {
        game_->goOn();
        showRecord(game_->lastHandlerChangedAnything());
    }
    timer_->wake();
}

void MainWindow::perform(Outcome outcome)
{
    switch (outcome) {
    case Outcome::ClearingSound:
        sounds_.playToEnd(GameSounds::Clearing);
        break;
    case Outcome::LevelWon:
        sounds_.playToEnd(GameSounds::Win);
        break;
    case Outcome::Refusal: {
        // exec() runs a local event loop: the window's input waits, its timer keeps ticking, and
        // each tick is a handler of its own, run after the level-up's has returned.
        QMessageBox box(QMessageBox::NoIcon, toQString(RefusalTitle), toQString(RefusalText),
                        QMessageBox::Ok, this);
        box.exec();
        break;
    }
    case Outcome::Nothing:
        break;
    }
}

void MainWindow::showRecord(bool changed)
{
    // Every tick writes the labels, nearly always with the text they already show: QLabel
    // leaves a label alone when its text stays the same.
    const GameState &state = game_->state();
    for (int i = 0; i < LabelCount; ++i)
        labels_[i]->setText(QString::fromStdString(labelText(static_cast<Label>(i), state)));
    for (int colour = 0; colour < ColourCount; ++colour)
        counts_[colour]->setText(QString::fromStdString(countText(colour, state)));
    if (changed)
        surface_->show(state.shown.board);
}

void MainWindow::tick()
{
    game_->tick();
    const bool changed = game_->lastHandlerChangedAnything();
    showRecord(changed);
    if (changed)
        timer_->wake();
}

void MainWindow::quit()
{
    close();
    // At once: an open about window goes too, without its own close handlers.
    QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    timer_->stop();
    event->accept();
}

} // namespace chromatta::ui
