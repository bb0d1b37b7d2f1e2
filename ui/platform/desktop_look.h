// The desktop's settings that a title bar drawn by the game follows: dark or light, which
// window buttons stand on which side, and the interface font, read from the desktop's settings
// portal and followed live.
#pragma once

#include <QDBusMessage>
#include <QFont>
#include <QObject>
#include <QString>

namespace chromatta::ui {

class DesktopLook : public QObject
{
    Q_OBJECT

public:
    // GNOME's defaults, the look wherever nothing can be read: light, a close box on the right.
    explicit DesktopLook(QObject *parent = nullptr);

    // The desktop's own look, asked of the settings portal on the session bus the first time
    // and followed as it changes. Asking never waits: the defaults hold until the answers come,
    // and for good where there is no bus or no portal.
    static DesktopLook &desktop();

    bool dark() const { return dark_; }
    // The desktop's interface font where the desktop names it, else Qt's application font.
    QFont interfaceFont() const;
    // GNOME's form: button names, those before the colon on the left ("close,minimize:").
    const QString &buttonLayout() const { return buttonLayout_; }
    void setDark(bool dark);
    void setButtonLayout(const QString &layout);
    // GNOME's form: family, then the size in points ("Cantarell 11"); empty for Qt's own.
    void setInterfaceFont(const QString &description);

signals:
    void changed();

private slots:
    // A setting the portal announces: its group, its key and its value.
    void takeChange(const QDBusMessage &change);

private:
    void followPortal();
    void takeSetting(const QString &group, const QString &key, const QVariant &value);

    bool dark_ = false;
    QString buttonLayout_;
    QString fontDescription_;
};

} // namespace chromatta::ui
