#include "ui/common/ListCaption.h"

#include "ui/common/AccessibleTakeover.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QLabel>
#include <QLibraryInfo>
#include <QPointer>

#include <type_traits>
#include <utility>

namespace zephlan {
namespace {

const char kCaptionProperty[] = "zephlanListCaption";

// Qt's interface for the list with the caption added as its label; everything
// else is Qt's. The cache owns both interfaces and deletes them in any order
// (with the list, or when the application ends while the list still lives),
// so Qt's is looked up by its id on each call and never held by pointer.
class CaptionedList final : public QAccessibleInterface
{
public:
    CaptionedList(QAccessibleInterface *list, QLabel *caption)
        : m_listId(QAccessible::uniqueId(list))
        , m_object(list->object())
        , m_caption(caption)
    {
    }

    bool isValid() const override { return m_object && qts() && qts()->isValid(); }
    QObject *object() const override { return m_object; }
    QWindow *window() const override { return call(&QAccessibleInterface::window, nullptr); }
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto found = call(&QAccessibleInterface::relations, {}, match);
        if ((match & QAccessible::Label) && m_caption)
            found.append({QAccessible::queryAccessibleInterface(m_caption.data()), QAccessible::Label});
        return found;
    }
    QAccessibleInterface *focusChild() const override { return call(&QAccessibleInterface::focusChild, nullptr); }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return call(&QAccessibleInterface::childAt, nullptr, x, y);
    }
    QAccessibleInterface *parent() const override { return call(&QAccessibleInterface::parent, nullptr); }
    QAccessibleInterface *child(int index) const override { return call(&QAccessibleInterface::child, nullptr, index); }
    int childCount() const override { return call(&QAccessibleInterface::childCount, 0); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return call(&QAccessibleInterface::indexOfChild, -1, child);
    }
    QString text(QAccessible::Text t) const override { return call(&QAccessibleInterface::text, QString(), t); }
    void setText(QAccessible::Text t, const QString &text) override
    {
        if (QAccessibleInterface *list = qts())
            list->setText(t, text);
    }
    QRect rect() const override { return call(&QAccessibleInterface::rect, QRect()); }
    QAccessible::Role role() const override { return call(&QAccessibleInterface::role, QAccessible::List); }
    QAccessible::State state() const override
    {
        QAccessible::State invalid;
        invalid.invalid = true;
        return call(&QAccessibleInterface::state, invalid);
    }
    QColor foregroundColor() const override { return call(&QAccessibleInterface::foregroundColor, QColor()); }
    QColor backgroundColor() const override { return call(&QAccessibleInterface::backgroundColor, QColor()); }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        QAccessibleInterface *list = qts();
        return list ? list->interface_cast(type) : nullptr;
    }
    void virtual_hook(int id, void *data) override
    {
        if (QAccessibleInterface *list = qts())
            list->virtual_hook(id, data);
    }

private:
    QAccessibleInterface *qts() const { return QAccessible::accessibleInterface(m_listId); }

    // Qt's answer, or otherwise when the cache has deleted Qt's interface already.
    template <typename Result, typename... Params, typename... Args>
    Result call(Result (QAccessibleInterface::*method)(Params...) const, std::type_identity_t<Result> otherwise,
                Args &&...args) const
    {
        const QAccessibleInterface *list = qts();
        return list ? (list->*method)(std::forward<Args>(args)...) : otherwise;
    }

    QAccessible::Id m_listId;
    QPointer<QObject> m_object;
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
    // the one made here.
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
