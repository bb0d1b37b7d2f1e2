// The desktop's look from its settings portal, asked without waiting for the answer.
#include "desktop_look.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>

namespace chromatta::ui {

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString SettingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString Appearance = QStringLiteral("org.freedesktop.appearance");
const QString ColourScheme = QStringLiteral("color-scheme");
const QString WindowManager = QStringLiteral("org.gnome.desktop.wm.preferences");
const QString ButtonLayout = QStringLiteral("button-layout");
const QString GnomeButtonLayout = QStringLiteral("appmenu:close");
const QString Interface = QStringLiteral("org.gnome.desktop.interface");
const QString FontName = QStringLiteral("font-name");

// Without an address nor the usual socket there is no session bus to ask, and the D-Bus
// library would try to start one of its own (through X11), which takes its time.
bool sessionBusAround()
{
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

// The portal's value, wrapped in a variant once or, by Read, twice.
QVariant unwrapped(QVariant value)
{
    while (value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

} // namespace

DesktopLook::DesktopLook(QObject *parent)
    : QObject(parent)
    , buttonLayout_(GnomeButtonLayout)
{ }

DesktopLook &DesktopLook::desktop()
{
    static QPointer<DesktopLook> look;
    if (look.isNull()) {
        look = new DesktopLook(QCoreApplication::instance());
        look->followPortal();
    }
    return *look;
}

void DesktopLook::setDark(bool dark)
{
    if (dark == dark_)
        return;
    dark_ = dark;
    emit changed();
}

void DesktopLook::setButtonLayout(const QString &layout)
{
    // GNOME itself falls back on its default for an unset or empty layout.
    const QString taken = layout.trimmed().isEmpty() ? GnomeButtonLayout : layout;
    if (taken == buttonLayout_)
        return;
    buttonLayout_ = taken;
    emit changed();
}

QFont DesktopLook::interfaceFont() const
{
    QFont font = QGuiApplication::font();
    // Pango's description: the family, maybe style words, the size last.
    const qsizetype space = fontDescription_.lastIndexOf(u' ');
    bool sized = false;
    const double points = space > 0 ? fontDescription_.mid(space + 1).toDouble(&sized) : 0;
    if (sized && points > 0) {
        font.setFamilies({fontDescription_.left(space)});
        font.setPointSizeF(points);
    }
    return font;
}

void DesktopLook::setInterfaceFont(const QString &description)
{
    if (description == fontDescription_)
        return;
    fontDescription_ = description;
    emit changed();
}

void DesktopLook::takeChange(const QDBusMessage &change)
{
    const QVariantList arguments = change.arguments();
    if (arguments.size() == 3)
        takeSetting(arguments[0].toString(), arguments[1].toString(), arguments[2]);
}

void DesktopLook::takeSetting(const QString &group, const QString &key, const QVariant &value)
{
    const QVariant setting = unwrapped(value);
    if (group == Appearance && key == ColourScheme)
        setDark(setting.toUInt() == 1); // 1: prefer dark; 0 no preference, 2 prefer light
    else if (group == WindowManager && key == ButtonLayout)
        setButtonLayout(setting.toString());
    else if (group == Interface && key == FontName)
        setInterfaceFont(setting.toString());
}

void DesktopLook::followPortal()
{
    if (!sessionBusAround())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // From whoever serves the portal: it is started on demand, by the first question below.
    bus.connect(QString(), PortalPath, SettingsInterface, QStringLiteral("SettingChanged"), this,
                SLOT(takeChange(QDBusMessage)));
    for (const auto &[group, key] :
         {std::pair(Appearance, ColourScheme), std::pair(WindowManager, ButtonLayout),
          std::pair(Interface, FontName)}) {
        QDBusMessage read = QDBusMessage::createMethodCall(
            PortalService, PortalPath, SettingsInterface, QStringLiteral("Read"));
        read << group << key;
        auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(read), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, group, key](QDBusPendingCallWatcher *answer) {
                    const QDBusPendingReply<QDBusVariant> reply = *answer;
                    if (!reply.isError())
                        takeSetting(group, key, reply.value().variant());
                    answer->deleteLater();
                });
    }
}

} // namespace chromatta::ui
