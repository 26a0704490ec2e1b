#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace zephlan {

// The load screen and user guide: a title-less grey panel with the numbered instructions.
class frmWelcome : public QWidget
{
    Q_OBJECT

public:
    explicit frmWelcome(QWidget *parent = nullptr);

    void cmdContinue_Click();

signals:
    // Continue: the main window is to be created or raised and shown; the welcome window closes after.
    void continueRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void Form_Load();
    void Form_KeyPress();
    void Frame1_Click();
    bool filterFrameMouse(QEvent *event);

    QFrame *m_frame = nullptr;
    QPushButton *m_cmdContinue = nullptr;
    QLabel *m_lblProductName = nullptr;
    QLabel *m_lblVersion = nullptr;
    bool m_framePressed = false;
};

} // namespace zephlan
