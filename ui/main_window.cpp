// The game window: its labels, pictures, board surface, menus and timer, wired to the game.
#include "main_window.h"

#include "about_window.h"
#include "board_surface.h"
#include "click_label.h"
#include "fonts.h"
#include "game.h"
#include "refresh_timer.h"
#include "title_bar.h"
#include "window_layout.h"
#include "window_place.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include <functional>

namespace chromatta::ui {

namespace {

// The window was laid out in twips, as the board is drawn; every number below divides exactly.
QRect twips(int left, int top, int width, int height)
{
    constexpr int perPixel = BoardGrid::TwipsPerPixel;
    return QRect(left / perPixel, top / perPixel, width / perPixel, height / perPixel);
}

QString designText(Label label)
{
    return QString::fromStdString(Captions::designText(label));
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

QLabel *addPicture(QWidget *parent, const char *name, const QRect &geometry, const QString &picture)
{
    auto *holder = new QLabel(parent);
    holder->setObjectName(QLatin1String(name));
    holder->setGeometry(geometry);
    holder->setPixmap(loadPicture(picture, parent->devicePixelRatioF()));
    return holder;
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

    toolkit_ = std::make_unique<WindowToolkit>(*this, *surface_, labels_);
    game_ = std::make_unique<Game>(*toolkit_, draws_, clock_);
    timer_ = new RefreshTimer(this);
    connect(timer_, &RefreshTimer::ticked, this, &MainWindow::tick);
    connect(surface_, &BoardSurface::pressed, this, [this](std::optional<chromatta::Cell> cell) {
        handle([cell](Game &game) { game.press(cell); });
    });

    handle(&Game::windowOpened);
    timer_->start();
}

MainWindow::~MainWindow() = default;

const Game &MainWindow::game() const
{
    return *game_;
}

void MainWindow::startFrom(const GameState &state)
{
    game_ = std::make_unique<Game>(*toolkit_, draws_, clock_, state);
    timer_->wake();
}

QWidget *MainWindow::buildClientArea()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(WindowLayout::ClientWidth, WindowLayout::ClientHeight);
    setBackground(client, Qt::black);

    // Unscaled at the top-left corner; the window is narrower than the picture and cuts it off.
    auto *background = new QLabel(client);
    background->setObjectName(QStringLiteral("background"));
    const QPixmap picture = loadPicture(QStringLiteral("background"), devicePixelRatioF());
    background->setPixmap(picture);
    background->setGeometry(QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()));

    buildScoreLabels(client);
    buildColourCounts(client);

    surface_ = new BoardSurface(pictures_, client);
    surface_->setObjectName(QStringLiteral("board"));
    surface_->setGeometry(WindowLayout::SurfaceLeft, WindowLayout::SurfaceTop,
                          WindowLayout::SurfaceWidth, WindowLayout::SurfaceHeight);

    buildStatusStrip(client);
    return client;
}

// The points, "LEVEL UP" and the points the next level needs.
void MainWindow::buildScoreLabels(QWidget *client)
{
    labels_[int(Label::Points)] = addLabel(
        client, "points", twips(120, 45, 4635, 375), designText(Label::Points),
        designFont(QStringLiteral("Verdana"), 18, true), Qt::AlignHCenter, QColor(192, 64, 0));
    auto *levelUp = addLabel<ClickLabel>(client, "levelUp", twips(7080, 120, 2355, 570),
                                         QStringLiteral("LEVEL UP"),
                                         designFont(QStringLiteral("Arial Black"), 20.25, true));
    connect(levelUp, &ClickLabel::clicked, this, [this] { handle(&Game::levelUpClicked); });
    labels_[int(Label::NextLevelThreshold)] =
        addLabel(client, "nextLevelThreshold", twips(0, 480, 5055, 255),
                 designText(Label::NextLevelThreshold),
                 designFont(QStringLiteral("Small Fonts"), 6.75, true), Qt::AlignHCenter);
}

// The swatches and the count of each colour, in one row over the blue band.
void MainWindow::buildColourCounts(QWidget *client)
{
    const QFont count = designFont(QStringLiteral("MS Sans Serif"), 18, true);
    addPicture(client, "redSwatch", twips(360, 960, 465, 450), QStringLiteral("swatch-red"));
    labels_[int(Label::RedCount)] =
        addLabel(client, "redCount", twips(960, 960, 795, 435), designText(Label::RedCount), count);
    addPicture(client, "violetSwatch", twips(2160, 960, 435, 450), QStringLiteral("swatch-violet"));
    labels_[int(Label::VioletCount)] = addLabel(client, "violetCount", twips(2760, 960, 795, 435),
                                                designText(Label::VioletCount), count);
    addPicture(client, "greenSwatch", twips(3960, 960, 465, 450), QStringLiteral("swatch-green"));
    labels_[int(Label::GreenCount)] = addLabel(client, "greenCount", twips(4560, 960, 795, 435),
                                               designText(Label::GreenCount), count);
    addPicture(client, "yellowSwatch", twips(5640, 960, 465, 450), QStringLiteral("swatch-yellow"));
    labels_[int(Label::YellowCount)] = addLabel(client, "yellowCount", twips(6240, 960, 795, 435),
                                                designText(Label::YellowCount), count);

    // The total of the counts is kept but never shown; it also lies under the board.
    QLabel *total =
        addLabel(client, "boxCount", twips(7920, 1680, 1455, 195), designText(Label::BoxCount),
                 designFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    total->hide();
    labels_[int(Label::BoxCount)] = total;
}

void MainWindow::buildStatusStrip(QWidget *client)
{
    auto *strip = new QWidget(client);
    strip->setObjectName(QStringLiteral("statusStrip"));
    strip->setGeometry(twips(0, 6840, 9495, 495));
    setBackground(strip, Qt::white);

    const QFont status = designFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    addLabel(strip, "levelCaption", twips(120, 120, 1770, 300), QStringLiteral("Current Level: "),
             status);
    labels_[int(Label::Level)] =
        addLabel(strip, "level", twips(1560, 120, 525, 300), designText(Label::Level), status);
    addLabel(strip, "selectionValueCaption", twips(2160, 120, 1770, 240),
             QStringLiteral("Selection Value: "), status);
    labels_[int(Label::SelectionValue)] =
        addLabel(strip, "selectionValue", twips(3960, 120, 1755, 240),
                 designText(Label::SelectionValue), status);
    addLabel(strip, "reshuffleCostCaption", twips(5820, 150, 1275, 240),
             QStringLiteral("Reset Cost:"), status);
    labels_[int(Label::ReshuffleCost)] =
        addLabel(strip, "reshuffleCost", twips(7080, 150, 2115, 240),
                 designText(Label::ReshuffleCost), status);
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
    std::invoke(handler, *game_);
    if (game_->lastHandlerChangedAnything())
        surface_->present();
    timer_->wake();
}

void MainWindow::tick()
{
    game_->tick();
    if (game_->lastHandlerChangedAnything()) {
        surface_->present();
        timer_->wake();
    }
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
