// The about window: its controls, its place on the screen, and Help bringing it back.
#include "about_window.h"

#include "click_label.h"
#include "fonts.h"
#include "links.h"
#include "title_bar.h"
#include "window_manager.h"
#include "window_place.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <utility>

namespace chromatta::ui {

const char HowToPlayText[] = "Welcome to: Chromatta Zududo!\r\n"
                             "--------------------------------------\r\n"
                             "\r\n"
                             "Usage Instructions:\r\n"
                             "-------------------------------\r\n"
                             "The object of the game is to click on\r\n"
                             "sets of the same color in numbers of 2\r\n"
                             "or more to clear sections of the game\r\n"
                             "screen.\r\n"
                             "\r\n"
                             "You can advance levels by clicking on\r\n"
                             "\"Level Up\" at the top of the window if\r\n"
                             "your points match or exceed those\r\n"
                             "pre-determined to qualify for the next\r\n"
                             "difficulty level.\r\n"
                             "\r\n"
                             "If you get stuck you can select \"Reset\"\r\n"
                             "from the file menu which will scatter the\r\n"
                             "colored boxes in another order so as to\r\n"
                             "make more moves possible.\r\n"
                             "\r\n"
                             "Good Luck! ;-)\r\n";

namespace {

LinkOpener &linkOpener()
{
    static LinkOpener opener;
    return opener;
}

void openLink(const QUrl &url)
{
    // Whether anything could open it is not looked at: with no browser or mail program the
    // click simply does nothing.
    if (linkOpener())
        linkOpener()(url);
    else
        QDesktopServices::openUrl(url);
}

QFont standardFont()
{
    return designFont(QStringLiteral("MS Sans Serif"), 8, false);
}

// An opaque single-line label, black behind its text; a click on it is reported like a button's.
ClickLabel *addLabel(QWidget *parent, const char *name, const QRect &place, const QString &text,
                     const QColor &colour, const QFont &font)
{
    auto *label = new ClickLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    label->setAutoFillBackground(true);
    return label;
}

// What the window shows inside its frame: black, with a white rule above the button.
class ClientArea : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        // A white rule, 2 px wide, across the whole window above the button.
        painter.setPen(QPen(Qt::white, 2));
        painter.drawLine(-40, 416, 368, 416);
    }
};

class AboutWindow : public QDialog
{
public:
    AboutWindow()
    {
        setObjectName(QStringLiteral("aboutWindow"));
        setWindowTitle(QStringLiteral("About Chromatta Zududo"));
        setAttribute(Qt::WA_DeleteOnClose);
        // An ordinary top-level window without a parent: independent of the game window and
        // not kept above it. Qt::Tool would keep it off the taskbar by itself, but Qt's X11
        // backend marks a parentless tool window transient for the whole program, which window
        // managers such as Mutter and KWin then keep above the game window. The taskbar is told
        // to skip it instead (keepOffTheTaskbar). Only the title and the close box: no minimize
        // or maximize button (offerCloseOnly tells the window managers that heed no flag); the
        // fixed size keeps it from being resized. A title bar of its own stands above the client
        // area.
        TitleBar *titleBar = frameWindow(*this, WindowButtons::CloseOnly);
        const int top = titleBar != nullptr ? TitleBar::Height : 0;
        if (titleBar != nullptr)
            titleBar->setGeometry(0, 0, 367, top);
        client_ = new ClientArea(this);
        client_->setGeometry(0, top, 367, 565);
        setFixedSize(367, top + 565);
        installFontSubstitutes();
        setFont(standardFont());

        buildControls();
        centreOnScreen();
        // X11 taskbars leave out windows whose _NET_WM_STATE holds _NET_WM_STATE_SKIP_TASKBAR;
        // other platforms have no such state for an ordinary window, there it stays on the
        // taskbar.
        keepOffTheTaskbar(*this);
        offerCloseOnly(*this);

        // "Quit" ends the program with this window open: free it with the rest.
        connect(qApp, &QCoreApplication::aboutToQuit, this, &QObject::deleteLater);
    }

private:
    void buildControls()
    {
        addEmblem();
        addTexts();
        addHowToPlay();
        addOkButton();
    }

    void addEmblem()
    {
        auto *emblem = new QLabel(client_);
        emblem->setObjectName(QStringLiteral("emblem"));
        emblem->setGeometry(8, 24, 32, 32);
        emblem->setScaledContents(true);
        // The 2x picture carries its pixel ratio in its name; either may be missing (the
        // pictures are linked into the program, not into every test), and then the place
        // stays black.
        const qreal density = screen() != nullptr ? screen()->devicePixelRatio() : 1.0;
        QPixmap picture(density > 1.0 ? QStringLiteral(":/emblem@2x.png")
                                      : QStringLiteral(":/emblem.png"));
        if (picture.isNull())
            picture.load(QStringLiteral(":/emblem.png"));
        if (!picture.isNull())
            emblem->setPixmap(picture);
    }

    // The title, the version, the web address and the contact line, each a label.
    void addTexts()
    {
        const QColor white(255, 255, 255);
        auto *title =
            addLabel(client_, "title", {56, 16, 305, 33}, QStringLiteral("Chromatta Zududo"), white,
                     designFont(QStringLiteral("Arial"), 18, true));
        connect(title, &ClickLabel::clicked, this, [] { openLink(supportMail()); });

        addLabel(client_, "gameName", {56, 64, 233, 17}, QStringLiteral("Chromatta Zududo"), white,
                 standardFont());
        addLabel(client_, "version", {56, 80, 89, 17}, QStringLiteral("Version 1.0"), white,
                 standardFont());

        auto *web =
            addLabel(client_, "webAddress", {56, 96, 225, 17},
                     QString::fromLatin1(links::WebAddress), QColor(255, 255, 0), standardFont());
        web->setToolTip(QString::fromLatin1(links::MakerName));
        connect(web, &ClickLabel::clicked, this,
                [] { openLink(QUrl(QString::fromLatin1(links::WebAddress))); });

        addLabel(client_, "supportQuestion", {40, 352, 209, 17},
                 QStringLiteral("Have questions?  Need technical support? "), white,
                 standardFont());

        auto *contact =
            addLabel(client_, "contactUs", {248, 352, 81, 17}, QStringLiteral("Contact us"),
                     QColor(0, 0, 255), designFont(QStringLiteral("MS Sans Serif"), 9.75, true));
        contact->setToolTip(QStringLiteral("Email us!"));
        connect(contact, &ClickLabel::clicked, this, [] { openLink(supportMail()); });
    }

    void addHowToPlay()
    {
        auto *howToPlay = new QPlainTextEdit(client_);
        howToPlay->setObjectName(QStringLiteral("howToPlay"));
        howToPlay->setGeometry(32, 136, 305, 193);
        howToPlay->setFont(designFont(QStringLiteral("Small Fonts"), 6.75, false));
        howToPlay->setPlainText(QString::fromLatin1(HowToPlayText));
        howToPlay->setReadOnly(true);
        // Read-only still lets the player select and copy, with the mouse and the keyboard.
        howToPlay->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
        howToPlay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        howToPlay->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        howToPlay->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    }

    void addOkButton()
    {
        auto *ok = new QPushButton(QStringLiteral("&OK"), client_);
        ok->setObjectName(QStringLiteral("okButton"));
        ok->setGeometry(136, 432, 92, 23);
        // Default button for Enter; Esc reaches QDialog::reject, which closes the window too.
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        ok->setFocus();
    }

    static QUrl supportMail()
    {
        return QUrl(QStringLiteral("mailto:") + QString::fromLatin1(links::SupportMail));
    }

    // Every new window starts in the middle of the screen, wherever the last one was left: the
    // outer window, frame and title bar included; on a screen too short or narrow for that, as
    // close to the middle as keeps the whole frame on the free part of the screen. It is placed
    // once, before it is shown, where it stays when the window manager frames it.
    void centreOnScreen()
    {
        const QScreen *target = QGuiApplication::primaryScreen();
        if (target == nullptr)
            return;
        const QMargins frame = frameToCome(*this);
        const QSize outer = size().grownBy(frame);
        const QRect area = target->geometry();
        const QPoint centred(area.x() + (area.width() - outer.width()) / 2 + frame.left(),
                             area.y() + (area.height() - outer.height()) / 2 + frame.top());
        // The client area's place: the window manager puts the frame around it.
        setGeometry(
            QRect(reachablePlace(target->availableGeometry(), frame, size(), centred), size()));
    }

    QWidget *client_ = nullptr;
};

QPointer<AboutWindow> &openWindow()
{
    static QPointer<AboutWindow> window;
    return window;
}

} // namespace

void setLinkOpener(LinkOpener opener)
{
    linkOpener() = std::move(opener);
}

void showAboutWindow()
{
    QPointer<AboutWindow> &window = openWindow();
    // A closed window lingers, hidden, until its deferred deletion runs: it counts as gone.
    if (window.isNull() || !window->isVisible()) {
        window = new AboutWindow;
    } else if (window->isMinimized()) {
        // Minimized where the window system tells (X11): back to its place and size.
        window->showNormal();
    } else if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        // A Wayland compositor never tells a window that it was minimized, nor lets it raise
        // itself: the window is taken down and shown anew, which brings it back in front
        // wherever it was.
        window->hide();
    }
    window->show();
    window->raise();
    // The focus too, on the strength of the player's click on the Help item.
    window->activateWindow();
}

} // namespace chromatta::ui
