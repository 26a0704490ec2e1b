#include "ui/about/frmAbout.h"

#include "core/AppInfo.h"
#include "ui/common/Appearance.h"
#include "ui/common/MessageSeam.h"
#include "ui/common/Windows1252.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace zephlan {

namespace {

const QString kSupportAddress = QStringLiteral("support@zephlan.example");


QLabel *makeLabel(QWidget *parent, const QRect &place, const QString &name)
{
    return makeCaptionLabel(parent, name, place, dialogFont());
}

QPushButton *makeButton(QWidget *parent, const QRect &place, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    paintLightGrey(button);
    return button;
}

} // namespace

class frmAbout::MessageBridge final : public SysInfoMessages
{
public:
    MessageBridge(QWidget *window, MessageSeam *seam) : m_window(window), m_seam(seam) {}
    void showMessage(const std::string &prompt, const std::string &title) override
    {
        m_seam->showMessage(m_window, fromWindows1252(prompt), fromWindows1252(title));
    }

private:
    QWidget *m_window;
    MessageSeam *m_seam;
};

frmAbout::frmAbout(QWidget *parent) : frmAbout(nullptr, nullptr, nullptr, nullptr, parent) {}

frmAbout::frmAbout(Registry *registry, FileFinder *files, ProgramStarter *programs, MessageSeam *messages,
                   QWidget *parent)
    : QDialog(parent)
{
    if (!registry || !files || !programs)
        m_ownBackends = machineSysInfoBackends();
    m_registry = registry ? registry : m_ownBackends.registry.get();
    m_files = files ? files : m_ownBackends.files.get();
    m_programs = programs ? programs : m_ownBackends.programs.get();
    if (!messages) {
        m_ownMessages = std::make_unique<MessageBoxSeam>();
        messages = m_ownMessages.get();
    }
    m_messages = std::make_unique<MessageBridge>(this, messages);

    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(withFixedBorder(kOutOfTaskBarWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint));
    QPixmap noIcon(16, 16);
    noIcon.fill(Qt::transparent);
    setWindowIcon(QIcon(noIcon));
    setFont(dialogFont());
    paintLightGrey(this);
    setGeometry(twipsRect(2340, 1935, 5730, 3555));
    setFixedSize(size());

    buildControls();
    Form_Load();
    m_cmdOK->setFocus();
}

frmAbout::~frmAbout() = default;

void frmAbout::buildControls()
{
    m_picIcon = makeLabel(this, twipsRect(240, 240, 540, 540), QStringLiteral("picIcon"));
    m_picIcon->setWordWrap(false);
    m_picIcon->setPixmap(QPixmap(QStringLiteral(":/zephlan/icon.png")));
    m_picIcon->setAccessibleName(QStringLiteral("Zephlan icon"));
    m_picIcon->setAccessibleDescription(QStringLiteral("An airliner seen from above on a blue tile"));

    m_cmdOK = makeButton(this, twipsRect(4245, 2625, 1260, 345), QStringLiteral("cmdOK"), QStringLiteral("OK"));
    m_cmdOK->setDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    m_cmdSysInfo = makeButton(this, twipsRect(4260, 3075, 1245, 345), QStringLiteral("cmdSysInfo"),
                              QStringLiteral("&System Info..."));
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    m_lblDescription = makeLabel(this, twipsRect(1050, 1125, 3885, 1170), QStringLiteral("lblDescription"));
    m_lblDescription->setText(
        QStringLiteral("Zephlan is an application for adding simple flight plans to aircraft/airports in Flight "
                       "Simulator 2004. Help is available in the load screen and also by clicking ? on the main "
                       "screen. If you need assistance, feel free to contact me at ")
        + kSupportAddress);

    m_lblTitle = makeLabel(this, twipsRect(1050, 240, 3885, 480), QStringLiteral("lblTitle"));
    m_lblVersion = makeLabel(this, twipsRect(1050, 780, 3885, 225), QStringLiteral("lblVersion"));

    m_lblDisclaimer = makeLabel(this, twipsRect(255, 2625, 3870, 825), QStringLiteral("lblDisclaimer"));
    m_lblDisclaimer->setText(QStringLiteral("This program is free to use and comes without warranty of any "
                                            "kind. It does not change the simulator's own files."));
}

void frmAbout::Form_Load()
{
    const QString title = fromWindows1252(kApplicationTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    m_lblVersion->setText(fromWindows1252(versionText()));
    m_lblTitle->setText(title);
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo({*m_registry, *m_files, *m_programs, *m_messages});
}

void frmAbout::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    // The etched rule from (90, 2445) to (5654, 2445) twips: a grey line, and a
    // two-pixel white line one pixel below and to the right of it.
    constexpr int kRuleLeft = 90;
    constexpr int kRuleTop = 2445;
    constexpr int kRuleRight = 5654;
    constexpr int kOnePixel = 15;
    const int right = twips(kRuleRight);
    painter.fillRect(QRect(QPoint(twips(kRuleLeft), twips(kRuleTop)), QPoint(right, twips(kRuleTop))),
                     QColor(128, 128, 128));
    const int shine = twips(kRuleTop + kOnePixel);
    painter.fillRect(QRect(QPoint(twips(kRuleLeft + kOnePixel), shine), QPoint(right, shine + 1)), Qt::white);
}

} // namespace zephlan
