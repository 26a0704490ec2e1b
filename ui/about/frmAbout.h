#pragma once

#include "ui/about/SysInfoBackends.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;

namespace zephlan {

class MessageSeam;

// The about box: icon, title, version, description and the system information button.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);
    // Non-owning seams; each must outlive the window.
    frmAbout(Registry *registry, FileFinder *files, ProgramStarter *programs, MessageSeam *messages,
             QWidget *parent = nullptr);
    ~frmAbout() override;

    void cmdOK_Click();
    void cmdSysInfo_Click();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    class MessageBridge;

    void buildControls();
    void Form_Load();

    SysInfoBackends m_ownBackends;
    std::unique_ptr<MessageSeam> m_ownMessages;
    Registry *m_registry = nullptr;
    FileFinder *m_files = nullptr;
    ProgramStarter *m_programs = nullptr;
    std::unique_ptr<MessageBridge> m_messages;

    QLabel *m_picIcon = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdSysInfo = nullptr;
    QLabel *m_lblDescription = nullptr;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblVersion = nullptr;
    QLabel *m_lblDisclaimer = nullptr;
};

} // namespace zephlan
