#include "ui/welcome/frmWelcome.h"

#include "core/AppInfo.h"
#include "ui/common/Appearance.h"
#include "ui/common/ReadingOrder.h"
#include "ui/common/Windows1252.h"
#include "ui/welcome/RunOfSpaces.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <iterator>
#include <utility>

namespace zephlan {

namespace {

enum class LabelFont { Default, DefaultBold, Large, LargeBold, Arial, ArialBold };

struct LabelLayout
{
    const char *name;
    int left, top, width, height;
    LabelFont font;
    const char *text;
};

// In the order of their creation.
constexpr LabelLayout kLabels[] = {
    {"lblProductName", 5880, 6480, 1815, 375, LabelFont::DefaultBold, ""},
    {"lblVersion", 5880, 6000, 1815, 255, LabelFont::DefaultBold, ""},
    {"Label11", 600, 4320, 6255, 1335, LabelFont::LargeBold,
     "I wrote this program for my own personal needs. I usually make short and simple flight plans but got "
     "tired of typing everything by hand. I decided to share it and I thank you for   trying out Zephlan. If "
     "you have any troubles or questions please email me at support@zephlan.example"},
    {"Label10", 600, 3840, 6615, 495, LabelFont::Default,
     "9.Enter Call Sign, Flight number (any 3 or 4 digit number), Flight level (ie 050 = 5000 ft)"
     "                 Enter desired AI percentage"},
    {"Label9", 600, 3360, 5895, 495, LabelFont::Default,
     "8. Enter departure time and return flight time in UTC/GMT time, you don't have to         worry about "
     "arrival time, Flight Simulator will calculate that for you"},
    {"Label8", 600, 2880, 6015, 495, LabelFont::Default,
     "7. Select if your flight will be VFR or IFR and choose whether you want ATC to call by     call sign or "
     "flight number"},
    {"Label7", 600, 2520, 5415, 255, LabelFont::Default,
     "6. Select the round trip duration, give enough time for plane and distance"},
    {"Label6", 600, 2160, 4815, 255, LabelFont::Default, "5. Select the aircraft you wish to see as AI Aircraft "},
    {"Label5", 600, 1800, 4935, 255, LabelFont::Default,
     "4. Search for and select desired departure and destination airports"},
    {"Label4", 600, 1440, 4935, 255, LabelFont::Default,
     "3. Goto File Menu and open the  aircrafts.txt file that TTools created"},
    {"Label3", 600, 1080, 5055, 255, LabelFont::Default,
     "2. Goto File Menu, and open the airports.txt file that TTools created"},
    {"Label2", 600, 720, 5775, 255, LabelFont::Default, "1. Decompile your Traffic.bgl file using TTools"},
    {"Label1", 600, 240, 7575, 375, LabelFont::Large,
     "Welcome to Zephlan, a simple way to add simple flight plans to Flight Sim 2004."},
    {"lblCopyright", 5280, 5460, 2415, 255, LabelFont::Arial, "Freeware, not for resale"},
    {"lblCompany", 5880, 5790, 2415, 375, LabelFont::ArialBold, "Zephlan Project 2004"},
};

// Instructions 7 to 9, whose run of spaces starts their second line.
const QLatin1String kTwoLineInstructions[] = {QLatin1String("Label8"), QLatin1String("Label9"),
                                              QLatin1String("Label10")};

QFont arialFont(bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont fontFor(LabelFont kind)
{
    switch (kind) {
    case LabelFont::DefaultBold: return dialogFont(8.25, true);
    case LabelFont::Large: return dialogFont(9.75);
    case LabelFont::LargeBold: return dialogFont(9.75, true);
    case LabelFont::Arial: return arialFont(false);
    case LabelFont::ArialBold: return arialFont(true);
    case LabelFont::Default: break;
    }
    return dialogFont();
}

// A key "produces a character" as the original platform saw it: Tab moves the focus, Delete and
// Alt combinations have no character code there.
bool producesCharacter(const QKeyEvent &key)
{
    if (key.text().isEmpty())
        return false;
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab || key.key() == Qt::Key_Delete)
        return false;
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    return !(modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier));
}

bool pressesButton(const QKeyEvent &key)
{
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    return plain && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space);
}

constexpr Qt::WindowFlags kWindowFlags = withFixedBorder(kOutOfTaskBarWindow | Qt::FramelessWindowHint);

// The window, in twips; its frame is one pixel wider, so the frame's right edge lies outside it.
constexpr int kWindowWidth = 8385;
constexpr int kWindowHeight = 6930;
constexpr int kFrameWidth = 8400;

} // namespace

frmWelcome::frmWelcome(QWidget *parent) : QWidget(parent, kWindowFlags)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(dialogFont());
    paintLightGrey(this);
    setFixedSize(twips(kWindowWidth), twips(kWindowHeight));
    centreOnScreen(this);
    // The window has no caption; a screen reader still needs to say what it is.
    setAccessibleName(QStringLiteral("Welcome to Zephlan"));

    buildControls();
    readTopToBottom(this, QAccessible::Window);
    readTopToBottom(m_frame);
    Form_Load();
    m_cmdContinue->setFocus();
    // Keys go to whichever control has the focus: the window looks at each first.
    installEventFilter(this);
    for (QWidget *control : findChildren<QWidget *>())
        control->installEventFilter(this);
}

void frmWelcome::buildControls()
{
    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setGeometry(twipsRect(0, 0, kFrameWidth, kWindowHeight));
    m_frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    paintLightGrey(m_frame);

    m_cmdContinue = new QPushButton(QStringLiteral("Continue"), m_frame);
    m_cmdContinue->setObjectName(QStringLiteral("cmdContinue"));
    m_cmdContinue->setGeometry(twipsRect(3240, 6120, 1935, 495));
    paintLightGrey(m_cmdContinue);
    connect(m_cmdContinue, &QPushButton::clicked, this, &frmWelcome::cmdContinue_Click);

    for (const LabelLayout &layout : kLabels) {
        QLabel *label = makeCaptionLabel(m_frame, QString::fromLatin1(layout.name),
                                         twipsRect(layout.left, layout.top, layout.width, layout.height),
                                         fontFor(layout.font), fromWindows1252(layout.text));
        // A click on a label must not reach the panel behind it.
        label->setAttribute(Qt::WA_NoMousePropagation);
        // Some labels overlap (the maker's name reaches into the version); the panel's identical
        // grey shows through them so that no caption blots out another.
        label->setAutoFillBackground(false);
        if (std::find(std::begin(kTwoLineInstructions), std::end(kTwoLineInstructions),
                      QLatin1String(layout.name)) != std::end(kTwoLineInstructions))
            startSecondLineAfterRun(label);
    }
    m_lblProductName = m_frame->findChild<QLabel *>(QStringLiteral("lblProductName"));
    m_lblVersion = m_frame->findChild<QLabel *>(QStringLiteral("lblVersion"));
}

void frmWelcome::Form_Load()
{
    m_lblVersion->setText(fromWindows1252(versionText()));
    m_lblProductName->setText(fromWindows1252(kApplicationTitle));
}

void frmWelcome::cmdContinue_Click()
{
    emit continueRequested();
    close();
}

void frmWelcome::Form_KeyPress()
{
    close();
}

void frmWelcome::Frame1_Click()
{
    close();
}

bool frmWelcome::filterFrameMouse(QEvent *event)
{
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        m_framePressed = true;
    } else if (std::exchange(m_framePressed, false) && m_frame->rect().contains(mouse->position().toPoint())) {
        Frame1_Click();
        return true;
    }
    return false;
}

bool frmWelcome::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        // Enter and Space press the button that has the focus, so the keyboard alone reaches the main window.
        if (watched == m_cmdContinue && pressesButton(*static_cast<QKeyEvent *>(event))) {
            cmdContinue_Click();
            return true;
        }
        if (producesCharacter(*static_cast<QKeyEvent *>(event))) {
            Form_KeyPress();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        if (watched == m_frame)
            return filterFrameMouse(event);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zephlan
