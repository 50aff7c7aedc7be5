#include "design/commands/geometry_command.h"

#include "engine/rp_bands.h"
#include "engine/rp_printable.h"

#include <QPointer>

namespace {

TRpUnitBase* unitsOf(const TControl* control)
{
    if (auto* printable = qobject_cast<const TRpPrintable*>(control))
        return printable->size();
    if (auto* band = qobject_cast<const TRpCustomBand*>(control))
        return band->size();
    return nullptr;
}

} // namespace

namespace geometry {


QList<double> nativeValues(const TControl* control)
{
    const TRpUnitBase* units = unitsOf(control);
    return units ? units->nativeValues() : QList<double>();
}

void setNativeValues(TControl* control, const QList<double>& values)
{
    TRpUnitBase* units = unitsOf(control);
    if (!units)
        return;
    for (int i = 0; i < values.size(); ++i)
        units->setNativeValue(i, values[i]);
}

} // namespace geometry

TGeometryCommand::TGeometryCommand(const QString& text, TComponent* root, const QList<TControl*>& objects,
                                   const std::function<void()>& change)
    : QUndoCommand(text), m_root(root)
{
    QList<Entry> entries;
    QList<QPointer<TControl>> changed;
    entries.reserve(objects.size());
    for (TControl* object : objects) {
        if (!object->name().isEmpty()) {
            entries.append({object->name(), geometry::nativeValues(object), {}});
            changed.append(object);
        }
    }
    change();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!changed[i])
            continue;
        entries[i].after = geometry::nativeValues(changed[i]);
        if (entries[i].after != entries[i].before)
            m_entries.append(std::move(entries[i]));
    }
}

void TGeometryCommand::apply(bool after)
{
    for (const Entry& entry : m_entries) {
        if (auto* object = qobject_cast<TControl*>(m_root->findComponent(entry.name)))
            geometry::setNativeValues(object, after ? entry.after : entry.before);
    }
    if (m_refresh)
        m_refresh();
}

void TGeometryCommand::undo()
{
    apply(false);
}

void TGeometryCommand::redo()
{
    if (m_firstRedo) {
        m_firstRedo = false;
        return;
    }
    apply(true);
}

bool TGeometryCommand::mergeWith(const QUndoCommand* other)
{
    auto* next = dynamic_cast<const TGeometryCommand*>(other);
    if (!next || next->m_root != m_root || next->m_entries.size() != m_entries.size())
        return false;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name != next->m_entries[i].name)
            return false;
    }
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        m_entries[i].after = next->m_entries[i].after;
    return true;
}
