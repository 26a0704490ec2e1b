#include "ui/common/ListCaption.h"

#include "ui/common/AccessibleTakeover.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QLabel>
#include <QLibraryInfo>
#include <QPointer>

namespace zephlan {
namespace {

const char kCaptionProperty[] = "zephlanListCaption";

// Qt's interface for the list with the caption added as its label; everything
// else is Qt's. The list's rows find it as their parent through the cache.
class CaptionedList final : public QAccessibleInterface
{
public:
    CaptionedList(QAccessibleInterface *list, QLabel *caption)
        : m_list(list)
        , m_caption(caption)
    {
    }

    bool isValid() const override { return m_list->isValid(); }
    QObject *object() const override { return m_list->object(); }
    QWindow *window() const override { return m_list->window(); }
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto found = m_list->relations(match);
        if ((match & QAccessible::Label) && m_caption)
            found.append({QAccessible::queryAccessibleInterface(m_caption.data()), QAccessible::Label});
        return found;
    }
    QAccessibleInterface *focusChild() const override { return m_list->focusChild(); }
    QAccessibleInterface *childAt(int x, int y) const override { return m_list->childAt(x, y); }
    QAccessibleInterface *parent() const override { return m_list->parent(); }
    QAccessibleInterface *child(int index) const override { return m_list->child(index); }
    int childCount() const override { return m_list->childCount(); }
    int indexOfChild(const QAccessibleInterface *child) const override { return m_list->indexOfChild(child); }
    QString text(QAccessible::Text t) const override { return m_list->text(t); }
    void setText(QAccessible::Text t, const QString &text) override { m_list->setText(t, text); }
    QRect rect() const override { return m_list->rect(); }
    QAccessible::Role role() const override { return m_list->role(); }
    QAccessible::State state() const override { return m_list->state(); }
    QColor foregroundColor() const override { return m_list->foregroundColor(); }
    QColor backgroundColor() const override { return m_list->backgroundColor(); }
    void *interface_cast(QAccessible::InterfaceType type) override { return m_list->interface_cast(type); }
    void virtual_hook(int id, void *data) override { m_list->virtual_hook(id, data); }

private:
    QAccessibleInterface *m_list; // Qt's, kept in the cache and deleted with the list
    QPointer<QLabel> m_caption;
};

bool g_askingQt = false;

QAccessibleInterface *captionedListFactory(const QString &, QObject *object)
{
    auto *list = qobject_cast<QAbstractItemView *>(object);
    if (g_askingQt || !list || !list->property(kCaptionProperty).isValid())
        return nullptr;
    // Qt's own interface, made and cached by asking for it with this factory
    // standing aside. The cache answers with the interface it was given last,
    // the one made here, and deletes both with the list.
    g_askingQt = true;
    QAccessibleInterface *qts = QAccessible::queryAccessibleInterface(list);
    g_askingQt = false;
    if (!qts)
        return nullptr;
    return new CaptionedList(qts, qobject_cast<QLabel *>(list->property(kCaptionProperty).value<QObject *>()));
}

} // namespace

void labelListByCaption(QAbstractItemView *list, QLabel *caption)
{
    // The list's object has two interfaces in Qt's cache, its own and this
    // one, which a Qt built for debugging stops at.
    if (QLibraryInfo::isDebugBuild())
        return;
    list->setProperty(kCaptionProperty, QVariant::fromValue<QObject *>(caption));
    takeOverInterface<CaptionedList>(list, captionedListFactory);
}

} // namespace zephlan
