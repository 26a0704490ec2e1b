#pragma once

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QTableView;

namespace zephlan {

class CheckReportModel;
class MessageSeam;
class PlanCheckLists;

// A flight-plans file checked against the lists read in this run: one
// sentence for the whole file and a row for each line with something to say.
// The file is read again (F5 or Check Again) whenever asked; it is only read.
class frmCheckPlans : public QWidget
{
    Q_OBJECT
public:
    // The lists and the seam are not owned and must outlive the window; a null
    // seam is replaced by the real message box.
    frmCheckPlans(const QString &path, const PlanCheckLists *lists, MessageSeam *messages = nullptr,
                  QWidget *parent = nullptr);
    ~frmCheckPlans() override;

    void cmdCheckAgain_Click();
    void cmdClose_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void runCheck();
    void showWholeLine(int row);
    void copySelectedRows();

    QString m_path;
    const PlanCheckLists *m_lists;
    std::unique_ptr<MessageSeam> m_ownMessages;
    MessageSeam *m_messages = nullptr;

    CheckReportModel *m_model = nullptr;
    QLabel *m_lblSummary = nullptr;
    QTableView *m_grdLines = nullptr;
    QPushButton *m_cmdCheckAgain = nullptr;
    QPushButton *m_cmdClose = nullptr;
};

} // namespace zephlan
