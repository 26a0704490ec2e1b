#include "ui/common/Appearance.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QWidget>

#include <cmath>

namespace zephlan {
namespace {

// The same look on every system, dialog buttons with words only and the menu bar on Alt, as on Windows.
class DialogStyle final : public QProxyStyle
{
public:
    DialogStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        // Alt pressed and released alone takes the keyboard to the menu bar, as on Windows.
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        // The arrow keys stop on a greyed menu item, as on Windows, so counted presses land where meant.
        if (hint == SH_Menu_AllowActiveAndDisabled)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        // The menu title reached from the keyboard shows before its menu opens, as on Windows.
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element == CE_MenuBarItem && item && widget && widget->hasFocus()
            && item->state.testFlag(State_Selected)) {
            QStyleOptionMenuItem chosen = *item;
            chosen.state |= State_Sunken;
            QProxyStyle::drawControl(element, &chosen, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

int twips(int value)
{
    return static_cast<int>(std::lround(value / 15.0));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

QFont dialogFont(double pointSize, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void paintLightGrey(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, kLightGrey);
    palette.setColor(QPalette::Button, kLightGrey);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel *makeCaptionLabel(QWidget *parent, const QString &name, const QRect &place, const QFont &font,
                         const QString &caption)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(caption);
    // A screen reader would say a trailing blank.
    if (caption != caption.trimmed())
        label->setAccessibleName(caption.trimmed());
    paintLightGrey(label);
    return label;
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

namespace {

class FirstShowCentring final : public QObject
{
public:
    explicit FirstShowCentring(QWidget *window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            centreOnScreen(static_cast<QWidget *>(watched));
            deleteLater();
        }
        return false;
    }
};

} // namespace

void centreWhenFirstShown(QWidget *window)
{
    new FirstShowCentring(window);
}

void applyApplicationLook()
{
    // Metric-compatible faces first, so captions keep the widths they were laid out for.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arimo"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
    QApplication::setStyle(new DialogStyle);
    QApplication::setFont(dialogFont());
    QIcon icon(QStringLiteral(":/zephlan/icon.png"));
    icon.addFile(QStringLiteral(":/zephlan/icon16.png"));
    QApplication::setWindowIcon(icon);
}

} // namespace zephlan
